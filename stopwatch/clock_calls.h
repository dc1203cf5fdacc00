// The platform calls through which the clock acts: reading the system's
// millisecond clock, starting and stopping its timer and showing the time.
// They are reached through this table so that a test can record each call
// (and then pass it on to the real one) or move the clock itself; the
// program never changes it.
#pragma once

#include <windows.h>

struct clock_call_table {
  ULONGLONG(WINAPI* tick_count)();
  UINT_PTR(WINAPI* set_timer)(HWND window, UINT_PTR id, UINT period_ms, TIMERPROC procedure);
  BOOL(WINAPI* kill_timer)(HWND window, UINT_PTR id);
  BOOL(WINAPI* set_window_text)(HWND window, LPCSTR text);
};

// GetTickCount64, SetTimer, KillTimer and SetWindowTextA unless a test has
// replaced them.
extern clock_call_table clock_calls;

// Puts the real calls back.
void restore_clock_calls();
