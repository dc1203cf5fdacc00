// Finding the programs' windows from outside, and reading them: by class
// and process, waited for with a bound.
#pragma once

#include <windows.h>

#include <string>

// A top-level window of the class owned by the process (any process when
// pid is 0), visible or not; null if none appears within the bound.
HWND wait_for_window(const char* class_name, DWORD pid, DWORD timeout_ms);

// Top-level windows of the class owned by the process (any process when
// pid is 0), visible or not (or visible only): how many, and the first and
// last in z-order.
struct window_tally {
  int count = 0;
  HWND first = nullptr;
  HWND last = nullptr;
};
window_tally tally_windows(const char* class_name, DWORD pid = 0, bool visible_only = false);
int count_windows(const char* class_name, DWORD pid = 0);
// The process's message boxes (dialog class #32770), visible or not (or
// visible only).
window_tally message_boxes(DWORD pid, bool visible_only = false);
// A message box's text: its static control 0xFFFF.
std::string message_box_text(HWND box);

std::string window_text(HWND window);
std::string window_class(HWND window);
