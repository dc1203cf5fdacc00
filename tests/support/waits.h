// Every wait of a test is bounded: it waits for what it needs to see, and
// fails its test in seconds when that never comes instead of hanging it.
#pragma once

#include <windows.h>

// The bound of every wait, times OMBREL_WAIT_SCALE (a whole number, 1 when
// unset): the 32-bit guest runs Wine on an emulated processor many times
// slower. Durations a test measures and checks are never scaled.
DWORD wait_bound(DWORD timeout_ms);

// Waits until the predicate holds, pumping this thread's messages; returns
// whether it did within the bound.
template <typename Predicate>
bool wait_until(Predicate predicate, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  const DWORD bound = wait_bound(timeout_ms);
  for (;;) {
    if (predicate()) return true;
    if (GetTickCount() - start >= bound) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

// Runs a message loop of the code under test (or a win_main) on this
// thread within the bound, after which a thread timer that the loop itself
// dispatches quits it with LOOP_BOUND_EXIT_CODE: a loop that waits for a
// quit that never comes fails its test in seconds instead of hanging it.
constexpr int LOOP_BOUND_EXIT_CODE = 42;
void CALLBACK quit_at_bound(HWND, UINT, UINT_PTR, DWORD);
template <typename Loop>
int run_bounded(Loop loop, DWORD timeout_ms) {
  const UINT_PTR timer = SetTimer(nullptr, 0, wait_bound(timeout_ms), quit_at_bound);
  const int result = loop();
  KillTimer(nullptr, timer);
  return result;
}

// Removes, unhandled, every message waiting in this thread's queue (a quit
// above all, which would end the next loop or box at once).
void drain_queue();
