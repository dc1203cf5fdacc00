// Several starts at the same moment: one window at a time, every other
// start ends with 0 within seconds, nothing left behind.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "instance.h"
#include "processes.h"
#include "sections.h"
#include "tool_support.h"
#include "waits.h"
#include "window_search.h"

namespace {

constexpr int STARTS_AT_ONCE = 5;

struct round_result {
  int most_windows = 0;    // seen at the same moment
  int bad_exits = 0;       // other starts not ending with 0 in time
  DWORD slowest_exit = 0;  // of the other starts, from the round's start
  int left_behind = 0;     // processes still running after the round
};

// Starts five, watches the class's windows until all but the one with a
// window have ended, then ends that one.
round_result start_round(const char* exe, const char* class_name, const char* working_dir) {
  round_result result;
  std::vector<launched_program> programs;
  const DWORD started = GetTickCount();
  for (int i = 0; i < STARTS_AT_ONCE; ++i) {
    programs.push_back(launch_path(bin_folder() + exe, nullptr, working_dir));
  }
  std::vector<bool> ended(programs.size(), false);
  const bool splash = std::string(class_name) == "OmbrelSplash";
  wait_until(
      [&] {
        result.most_windows = std::max(result.most_windows, count_windows(class_name, 0));
        int running = 0;
        for (size_t i = 0; i < programs.size(); ++i) {
          if (!ended[i] && !is_running(programs[i])) {
            ended[i] = true;
            DWORD code = 0;
            GetExitCodeProcess(programs[i].info.hProcess, &code);
            if (code != 0) ++result.bad_exits;
            result.slowest_exit = std::max(result.slowest_exit, GetTickCount() - started);
          }
          if (!ended[i]) ++running;
        }
        // A splash ends by itself; an About window stays until told.
        return splash ? running == 0 : running <= 1 && count_windows(class_name, 0) == 1;
      },
      30000);
  for (size_t i = 0; i < programs.size(); ++i) {
    if (ended[i]) continue;
    HWND window = FindWindowA(class_name, nullptr);
    if (window != nullptr) PostMessageA(window, WM_COMMAND, 1003, 0);
    if (wait_exit(programs[i], 30000) != 0) ++result.left_behind;
  }
  for (launched_program& program : programs) kill_program(program);
  return result;
}

void rounds_of(const char* exe, const char* class_name, const char* working_dir, int rounds) {
  int worst_windows = 0, bad_exits = 0, left = 0;
  DWORD slowest = 0;
  for (int round = 0; round < rounds; ++round) {
    const round_result r = start_round(exe, class_name, working_dir);
    worst_windows = std::max(worst_windows, r.most_windows);
    bad_exits += r.bad_exits;
    left += r.left_behind;
    slowest = std::max(slowest, r.slowest_exit);
  }
  char tried[128];
  std::snprintf(tried, sizeof tried, "%d starts at once, %d rounds", STARTS_AT_ONCE, rounds);
  char figure[256];
  std::snprintf(figure, sizeof figure,
                "most windows at once %d; other starts not ending with 0: %d; slowest end %lu ms; "
                "left behind %d",
                worst_windows, bad_exits, slowest, left);
  report(std::string("starts at once ") + class_name, tried, figure,
         worst_windows == 1 && bad_exits == 0 && left == 0 && slowest <= 20000);
}

LRESULT CALLBACK plain_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}

// A window of the tool in the foreground: the user has turned away, so a
// start on a minimised About window waits (it does not wait on a minimised
// window that is still the foreground one).
HWND take_foreground() {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = plain_proc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "ReliabilityForeground";
  RegisterClassA(&window_class);
  HWND other =
      CreateWindowExA(0, "ReliabilityForeground", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                      200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(other);
  wait_until([&] { return GetForegroundWindow() == other; }, 3000);
  return other;
}

// A start that waited on a minimised window which then went away opens its
// own window; a later start on that window, minimised, must wait for it in
// turn rather than take the first start's mutex for a waiter.
void waiter_then_owner() {
  const std::string folder = bin_folder();
  const std::string exe = folder + "OmbrelAbout.exe";
  launched_program first = launch_path(exe, nullptr, folder.c_str());
  HWND window = wait_for_window("OmbrelAbout", first.info.dwProcessId, 20000);
  answers(window, 30000);
  PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  wait_until([&] { return IsIconic(window) != FALSE; }, 5000);
  HWND other = take_foreground();

  std::vector<launched_program> starts;
  for (int i = 0; i < STARTS_AT_ONCE; ++i) {
    starts.push_back(launch_path(exe, nullptr, folder.c_str()));
  }
  // Exactly one of them waits; the others see its mutex and end at once.
  int waiting = 0;
  launched_program* waiter = nullptr;
  wait_until(
      [&] {
        waiting = 0;
        waiter = nullptr;
        for (launched_program& p : starts) {
          if (is_running(p)) {
            ++waiting;
            waiter = &p;
          }
        }
        return waiting <= 1;
      },
      10000);
  // The first window goes; the waiter opens its own.
  PostMessageA(window, WM_COMMAND, 1003, 0);
  const int first_code = wait_exit(first, 30000);
  HWND second =
      waiter != nullptr ? wait_for_window("OmbrelAbout", waiter->info.dwProcessId, 20000) : nullptr;
  bool later_waits = false;
  if (second != nullptr) {
    answers(second, 30000);
    PostMessageA(second, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    wait_until([&] { return IsIconic(second) != FALSE; }, 5000);
    SetForegroundWindow(other);
    wait_until([&] { return GetForegroundWindow() == other; }, 3000);
    launched_program later = launch_path(exe, nullptr, folder.c_str());
    // Waiting, it holds the mutex that says somebody waits.
    const std::string waiting_mutex = std::string("OmbrelAbout") + INSTANCE_MUTEX_SUFFIX;
    later_waits = wait_until(
                      [&] {
                        HANDLE h = OpenMutexA(SYNCHRONIZE, FALSE, waiting_mutex.c_str());
                        if (h != nullptr) CloseHandle(h);
                        return h != nullptr || !is_running(later);
                      },
                      5000) &&
                  is_running(later);
    PostMessageA(second, WM_SYSCOMMAND, SC_RESTORE, 0);
    SetForegroundWindow(second);
    wait_exit(later, 10000);
    kill_program(later);
    PostMessageA(second, WM_COMMAND, 1003, 0);
  }
  int left = 0;
  for (launched_program& p : starts) {
    if (wait_exit(p, 30000) != 0) ++left;
    kill_program(p);
  }
  kill_program(first);
  DestroyWindow(other);
  char figure[256];
  std::snprintf(figure, sizeof figure,
                "waiting starts %d; first exit %d; waiter's own window %s; a later start on it "
                "%s; starts not ending with 0: %d",
                waiting, first_code, second != nullptr ? "yes" : "NO",
                later_waits ? "waits" : "ENDED AT ONCE", left);
  report("starts on a minimised window", "5 starts on a minimised About, then the first closes",
         figure, waiting == 1 && first_code == 0 && second != nullptr && later_waits && left == 0);
}

}  // namespace

void run_concurrent_starts(const tool_settings& settings) {
  const std::string folder = bin_folder();
  rounds_of("OmbrelAbout.exe", "OmbrelAbout", folder.c_str(), settings.start_rounds);
  rounds_of("OmbrelSplash.exe", "OmbrelSplash", nullptr, settings.start_rounds);
  waiter_then_owner();
}
