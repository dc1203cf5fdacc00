// Watches what Lapwick's clock does to the world, in order: its timer
// calls, the titles it sets and the sounds it asks for. Each call is
// recorded and then passed on to the real one (or, for SetTimer, to a
// failing stand-in when a test asks for that).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// "SetTimer 1 1000", "KillTimer 1", "title 00:00:01", "chime"; a call made
// for another window than stopwatch_window, another period or with a timer
// procedure says so in its entry.
extern std::vector<std::string> clock_effects;
// The chimes among them.
int chimes_recorded();

// The clock the stopwatch reads while recording: it stands still until a
// test moves it. It starts a few seconds short of 2^32 ms, so the tests
// cross the point where a 32-bit millisecond count wraps.
constexpr ULONGLONG TEST_CLOCK_START_MS = 0xFFFFF000ull;
extern ULONGLONG test_clock_ms;
ULONGLONG WINAPI read_test_clock();
void move_clock(ULONGLONG ms);

// Installs the recording calls, the test clock and the sound observer,
// and clears the list.
void start_recording(bool set_timer_fails = false);
// Puts the real calls back and removes the observer.
void stop_recording();

// Brings the clock to its state at program start, on the given window,
// and the test clock back to its start.
void reset_clock_state(HWND window);
