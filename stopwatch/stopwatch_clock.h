// Lapwick's clock: the one-second tick that advances the counters and turns
// them into the HH:MM:SS window title, and Run, Pause and Reset. Elapsed
// time is the number of timer messages counted while running; no clock is
// ever read. Its state is in stopwatch_state.h.
#pragma once

#include <windows.h>

#include "resource_ids.h"
#include "stopwatch_state.h"

constexpr UINT_PTR STOPWATCH_TIMER_ID = 1;
constexpr UINT STOPWATCH_TIMER_MS = 1000;
// The value a counter reaches only inside a tick, which turns it back into
// COUNTER_BASE at once.
constexpr int COUNTER_ROLL_OVER = 160;
// The chime: a short WAV stored as raw data in the program's own module.
constexpr WORD CHIME_RESOURCE_ID = LAPWICK_CHIME_ID;
constexpr char RESET_TITLE[] = "00:00:00";

// Run: starts (or, when paused, restarts) the one-second timer and chimes;
// nothing while running.
void run_clock();
// Pause: running and paused trade places, with a chime; nothing while reset.
void pause_clock();
// Reset, the same in every state: timer killed, title "00:00:00", chime.
void reset_clock();

// Counts one second and shows the new time in the title.
void stopwatch_tick();
// Title "00:00:00", counters back to 100, state reset.
void reset_display();
// Sets the counters to 100, as at program start.
void reset_counters();
