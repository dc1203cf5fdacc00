#include "handover.h"

#include <algorithm>
#include <string>

#include "foreground_decoy.h"
#include "waits.h"
#include "window_search.h"

handover_round run_handover_round(const char* exe_name, const char* class_name,
                                  const launch_options& options) {
  handover_round round;
  const auto look = [&] {
    round.most_windows = std::max(round.most_windows, count_windows(class_name));
    return false;
  };
  launched_program first = launch(exe_name, options);
  HWND window = wait_for_window(class_name, first.info.dwProcessId, 20000);
  DWORD_PTR answer = 0;
  // Answered once the window's first drawing is complete.
  if (window == nullptr ||
      !SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer)) {
    return round;
  }
  PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  wait_until([&] { return IsIconic(window) != FALSE; }, 5000);
  foreground_decoy decoy;  // a minimised window in front is not waited on
  launched_program second = launch(exe_name, options);
  const std::string waiting = std::string(class_name) + "_RiVA";
  round.set_up = IsIconic(window) && wait_until(
                                         [&] {
                                           HANDLE h =
                                               OpenMutexA(SYNCHRONIZE, FALSE, waiting.c_str());
                                           if (h != nullptr) CloseHandle(h);
                                           return h != nullptr;
                                         },
                                         10000);
  // Made ready beforehand, so that it starts the moment the first ends.
  launch_options held = options;
  held.suspended = true;
  launched_program third = launch(exe_name, held);
  PostMessageA(window, WM_CLOSE, 0, 0);
  wait_until([&] { return look() || !is_running(first); }, 15000);
  ResumeThread(third.info.hThread);
  const DWORD third_started = GetTickCount();
  wait_until([&] { return look() || !is_running(second) || !is_running(third); }, 20000);
  round.ended_after_ms = GetTickCount() - third_started;
  // A moment more, for a window that comes late.
  wait_until(look, 1000);
  int start = 2;
  for (launched_program* late : {&second, &third}) {
    if (!is_running(*late)) {
      DWORD code = 1;
      GetExitCodeProcess(late->info.hProcess, &code);
      if (code == 0) ++round.late_starts_ended;
    } else if (const int windows = count_windows(class_name, late->info.dwProcessId)) {
      round.late_windows += windows;
      round.window_start = start;
    }
    ++start;
  }
  for (HWND w = FindWindowA(class_name, nullptr); w != nullptr;
       w = FindWindowExA(nullptr, w, class_name, nullptr)) {
    PostMessageA(w, WM_CLOSE, 0, 0);
  }
  for (launched_program* program : {&first, &second, &third}) {
    wait_exit(*program, 15000);
    kill_program(*program);
  }
  return round;
}
