// Lapwick's clock: Run, Pause and Reset, and the refresh that shows the
// running time as the HH:MM:SS window title. Running time is measured on
// the system's monotonic millisecond clock, which goes on while the
// machine is busy or asleep; the one-second timer only says when to look
// at it again. Its state is in stopwatch_state.h.
#pragma once

#include <windows.h>

#include "resource_ids.h"
#include "stopwatch_state.h"

constexpr UINT_PTR STOPWATCH_TIMER_ID = 1;
constexpr UINT STOPWATCH_TIMER_MS = 1000;
// The chime: a short WAV stored as raw data in the program's own module.
constexpr WORD CHIME_RESOURCE_ID = LAPWICK_CHIME_ID;
constexpr char RESET_TITLE[] = "00:00:00";

// Run: starts the timer for what is left of the current second of running
// time (a whole second from reset) and chimes; nothing while running. A
// timer that cannot be had leaves everything as it was.
void run_clock();
// Pause: running and paused trade places, with a chime; nothing while
// reset. Pausing keeps the fraction of a second run; resuming arms the
// timer for the rest of it.
void pause_clock();
// Reset, the same in every state: timer killed, title "00:00:00", chime.
void reset_clock();

// Milliseconds run so far: every running stretch since the last Reset.
ULONGLONG running_ms();
// Shows the whole seconds of running time in the title, chiming first
// when a whole minute has been crossed since the title last changed, and
// arms the timer for the next whole second. Nothing while reset.
void stopwatch_refresh();
// Title "00:00:00", running time and counters back to zero, state reset.
void reset_display();
// Sets the counters to 100, as at program start.
void reset_counters();
