// The pace of a page: its fades and its typing run in steps, each due at
// its own time from the start of the run, read from the clock rather than
// added up from pauses. On a system whose timer ticks more coarsely than a
// step (Windows gives about 15.6 ms to a program that asks for no finer
// tick, and from Windows 11 even to one that asked while its window is
// covered), the step due when the thread wakes is drawn and those that
// fell between two ticks are skipped, so that a run ends on time. While it
// waits the page keeps the program answering: messages sent by other
// programs are handled (commands among them are held until the page is
// complete), and input stays queued, in order, for the loop.
#pragma once

#include <windows.h>

// A run of steps: step n (from 1) is drawn from n - 1 pauses after the
// start, and its pause is over n pauses after the start.
struct step_pace {
  ULONGLONG start_us;
  ULONGLONG pause_us;
};

// A run starting now, with pauses of pause_ms (above 0).
step_pace start_pace(DWORD pause_ms);

// The step to draw next: step `next`, or the latest one whose time has
// come, but never past `last`.
int step_due(const step_pace& pace, int next, int last);

// Waits until the pause of step n is over, keeping the program answering.
void wait_step_end(const step_pace& pace, int n);

// The time since `began_us` (a sound's) was taken outside the run: later
// steps fall due that much later.
void pace_after(step_pace& pace, ULONGLONG began_us);

// A finer system tick asked for while a page is drawn, and given back once
// it is complete (the page's length does not depend on getting it).
void begin_page_tick();
void end_page_tick();
