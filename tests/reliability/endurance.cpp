// Repetition and time: Lapwick's boxes opened and closed again and again,
// the About pages switched again and again, and Lapwick left running on its
// real timer while its title is read every second.
#include <algorithm>
#include <cstdio>
#include <string>

#include "about_test_support.h"
#include "processes.h"
#include "sections.h"
#include "tool_support.h"
#include "waits.h"
#include "window_search.h"

namespace {

// Opens Help (4) or About (5) on the running stopwatch, waits for the box
// and closes it as its OK button would; true when the stopwatch window is
// back and no box is left.
bool box_cycle(HWND window, DWORD pid, int command) {
  PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(command), 0);
  HWND box = nullptr;
  if (!wait_until([&] { return (box = message_boxes(pid).last) != nullptr; }, 10000)) return false;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return wait_until([&] { return message_boxes(pid).count == 0 && IsWindowVisible(window); },
                    10000);
}

void boxes(const tool_settings& settings) {
  launched_program program = launch("Lapwick.exe");
  HWND window = started_window(program, "Lapwick", "boxes Lapwick");
  if (window == nullptr) return;
  const DWORD pid = program.info.dwProcessId;
  SendMessageTimeoutA(window, WM_COMMAND, 1, 0, SMTO_NORMAL, 10000, nullptr);
  // The first boxes load what every later box shares; counted from there.
  for (int i = 0; i < 4; ++i) box_cycle(window, pid, 4 + i % 2);
  const figures before = take_figures(program.info.hProcess, pid);
  figures half = before;
  const DWORD started = GetTickCount();
  int done = 0;
  for (int i = 0; i < settings.box_cycles; ++i) {
    if (!box_cycle(window, pid, 4 + i % 2)) break;
    ++done;
    if (done == settings.box_cycles / 2) half = take_figures(program.info.hProcess, pid);
  }
  const DWORD took = GetTickCount() - started;
  const figures after = take_figures(program.info.hProcess, pid);
  // The clock counted behind the boxes.
  const int seconds = title_seconds(window_text(window));
  const bool counted = seconds >= static_cast<int>(took / 1000) - 2;
  char tried[128];
  std::snprintf(tried, sizeof tried, "Help and About boxes opened and closed %d times (Running)",
                settings.box_cycles);
  char figure[512];
  std::snprintf(figure, sizeof figure, "%d cycles in %lu ms, title %s; %s; half-way GDI %d", done,
                took, window_text(window).c_str(), describe(before, after).c_str(), half.gdi);
  // The system's boxes fill a cache of a few GDI objects in their first
  // few dozen openings; a leak goes on growing through the second half.
  report("boxes Lapwick", tried, figure,
         done == settings.box_cycles && counted && is_running(program) &&
             figures_flat(half, after, MEMORY_ALLOWANCE) &&
             after.gdi - before.gdi <= 4 * GDI_ALLOWANCE &&
             after.private_bytes - before.private_bytes <= MEMORY_ALLOWANCE);
  PostMessageA(window, WM_CLOSE, 0, 0);
  wait_exit(program, 10000);
  kill_program(program);
}

bool run_page(HWND window, WPARAM command) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_COMMAND, command, 0, SMTO_NORMAL, 30000, &result) != 0;
}

void pages(const tool_settings& settings) {
  // The silent build: clicks take real time even on a null sound device.
  const std::string folder = bin_folder();
  launched_program program = launch_path(folder + "OmbrelAboutSilent.exe", nullptr, folder.c_str());
  HWND window = started_window(program, "OmbrelAbout", "pages OmbrelAboutSilent", 30000);
  if (window == nullptr) return;
  HWND picture = FindWindowExA(window, nullptr, "Static", nullptr);
  // The window answers during its first page, and a page command sent then
  // is held: each switch below must find the window between pages.
  wait_page_complete(window);
  run_page(window, 1008);
  run_page(window, 1016);
  const figures before = take_figures(program.info.hProcess, program.info.dwProcessId);
  const DWORD started = GetTickCount();
  int done = 0;
  for (int i = 0; i < settings.page_switches; ++i) {
    const bool credits = i % 2 == 0;
    if (!run_page(window, credits ? 1008 : 1016)) break;
    // The picture shows beside the version page only.
    if ((IsWindowVisible(picture) != FALSE) == credits) break;
    ++done;
  }
  const DWORD took = GetTickCount() - started;
  const figures after = take_figures(program.info.hProcess, program.info.dwProcessId);
  char tried[128];
  std::snprintf(tried, sizeof tried, "pages switched %d times, credits and version in turn",
                settings.page_switches);
  char figure[512];
  std::snprintf(figure, sizeof figure, "%d switches in %lu ms; %s", done, took,
                describe(before, after).c_str());
  report("pages OmbrelAboutSilent", tried, figure,
         done == settings.page_switches && is_running(program) &&
             figures_flat(before, after, MEMORY_ALLOWANCE));
  PostMessageA(window, WM_COMMAND, 1003, 0);
  wait_exit(program, 30000);
  kill_program(program);
}

}  // namespace

void run_boxes_and_pages(const tool_settings& settings) {
  boxes(settings);
  pages(settings);
}

void run_long_run(const tool_settings& settings) {
  launched_program program = launch("Lapwick.exe");
  HWND window = started_window(program, "Lapwick", "long run Lapwick");
  if (window == nullptr) return;
  const DWORD pid = program.info.dwProcessId;
  const DWORD run_at = GetTickCount();
  SendMessageTimeoutA(window, WM_COMMAND, 1, 0, SMTO_NORMAL, 10000, nullptr);
  const figures first = take_figures(program.info.hProcess, pid);
  figures half = first;
  figures last = first;
  int gdi_low = first.gdi, gdi_high = first.gdi;
  int windows_low = first.windows, windows_high = first.windows;
  long long memory_high = first.private_bytes;

  int reads = 0, malformed = 0, backwards = 0, off_count = 0, worst_gap = 0;
  int previous = 0;
  std::string bad_title;
  for (int second = 1; second <= settings.run_seconds; ++second) {
    // Read in the middle of each second, away from the tick.
    const DWORD due = run_at + static_cast<DWORD>(second) * 1000 + 500;
    const DWORD now = GetTickCount();
    if (static_cast<LONG>(due - now) > 0) Sleep(due - now);
    char text[64] = {0};
    GetWindowTextA(window, text, sizeof text);
    const int elapsed = static_cast<int>((GetTickCount() - run_at) / 1000);
    const int seconds = title_seconds(text);
    ++reads;
    if (seconds < 0) {
      ++malformed;
      bad_title = text;
      continue;
    }
    if (seconds < previous) ++backwards;
    previous = seconds;
    const int gap = std::abs(elapsed - seconds);
    worst_gap = std::max(worst_gap, gap);
    if (gap > 1) ++off_count;
    if (second % 10 == 0) {
      last = take_figures(program.info.hProcess, pid);
      if (second <= settings.run_seconds / 2) half = last;
      gdi_low = std::min(gdi_low, last.gdi);
      gdi_high = std::max(gdi_high, last.gdi);
      windows_low = std::min(windows_low, last.windows);
      windows_high = std::max(windows_high, last.windows);
      memory_high = std::max(memory_high, last.private_bytes);
    }
  }
  const bool running = is_running(program) && answers(window, 5000);
  char tried[128];
  std::snprintf(tried, sizeof tried, "Lapwick on its own timer for %d s, title read every second",
                settings.run_seconds);
  char figure[640];
  std::snprintf(figure, sizeof figure,
                "%d reads, %d malformed%s%s, %d backwards, %d off by more than 1 s (worst %d), "
                "last title %s; GDI %d..%d, windows %d..%d, private KiB %lld->%lld (half-way %lld)",
                reads, malformed, bad_title.empty() ? "" : " e.g. ", bad_title.c_str(), backwards,
                off_count, worst_gap, window_text(window).c_str(), gdi_low, gdi_high, windows_low,
                windows_high, first.private_bytes / 1024, last.private_bytes / 1024,
                half.private_bytes / 1024);
  // The pool fills its 2048 slots in the first minutes (nine strings a
  // second), so memory grows that long; after that it is flat.
  bool memory_flat = memory_high - first.private_bytes <= MEMORY_ALLOWANCE;
  if (settings.run_seconds >= 600) {
    memory_flat = memory_flat && last.private_bytes - half.private_bytes <= 64 * 1024;
  }
  report("long run Lapwick", tried, figure,
         running && malformed == 0 && backwards == 0 && off_count == 0 && gdi_high - gdi_low <= 2 &&
             windows_high == windows_low && memory_flat);
  PostMessageA(window, WM_CLOSE, 0, 0);
  wait_exit(program, 10000);
  kill_program(program);
}
