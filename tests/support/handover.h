// The hand-over between starts of a single-instance program, as a user can
// bring it about, run once and summed up.
#pragma once

#include <windows.h>

#include "processes.h"

// One round: the first start's window is minimised and a second start waits
// on it, flashing it; the first window is closed and a third start follows
// at once. Exactly one of the last two should show a window, and the other
// should end with 0 as soon as that window is up.
struct handover_round {
  bool set_up = false;        // the first window minimised, the second start waiting
  int most_windows = 0;       // of the class at any one moment
  int late_starts_ended = 0;  // of the second and third, with code 0
  int late_windows = 0;       // left up by the second and third together
  DWORD ended_after_ms = 0;   // from the third start to the first end among them
  int window_start = 0;       // 2 or 3: the start whose window is up in the end
};
handover_round run_handover_round(const char* exe_name, const char* class_name,
                                  const launch_options& options = {});
