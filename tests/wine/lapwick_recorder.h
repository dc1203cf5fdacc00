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

// Installs the recording calls and the sound observer, and clears the list.
void start_recording(bool set_timer_fails = false);
// Puts the real calls back and removes the observer.
void stop_recording();

// Brings the clock to its state at program start, on the given window.
void reset_clock_state(HWND window);
