// Lapwick's clock: the run state, the three counters, the one-second tick
// that turns them into the HH:MM:SS window title, and the commands that
// start, pause and reset it. Elapsed time is the number of timer messages
// counted while running; no clock is ever read.
#pragma once

#include <windows.h>

#include "text_buffer.h"

constexpr int STATE_RESET = 0;
constexpr int STATE_RUNNING = 1;
constexpr int STATE_PAUSED = 2;

// Command ids, the same on the menu bar and on the system menu.
constexpr int IDM_RUN = 1;
constexpr int IDM_PAUSE = 2;
constexpr int IDM_RESET = 3;
constexpr int IDM_HELP = 4;
constexpr int IDM_ABOUT = 5;

constexpr UINT_PTR STOPWATCH_TIMER_ID = 1;
constexpr UINT STOPWATCH_TIMER_MS = 1000;
// Counters hold 100 plus what they count, so the last two characters of
// their text are always the two-digit field with its leading zero.
constexpr int COUNTER_BASE = 100;
constexpr int COUNTER_ROLL_OVER = 160;
// The chime: a short WAV stored as raw data in the program's own module.
constexpr WORD CHIME_RESOURCE_ID = 101;
constexpr char RESET_TITLE[] = "00:00:00";

extern int run_state;
extern int second_count;
extern int minute_count;
extern int hour_count;
// The id of the timer the last successful Run started (0 until then; a
// failed SetTimer leaves it as it was). Reset does not clear it.
extern UINT_PTR timer_id;
extern HWND stopwatch_window;
// The module that holds the chime (and the class icon).
extern HINSTANCE stopwatch_module;

extern char seconds_text[TEXT_BUFFER_SIZE];  // "SS"
extern char minutes_text[TEXT_BUFFER_SIZE];  // "MM:"
extern char hours_text[TEXT_BUFFER_SIZE];    // "HH:"
extern char time_text[TEXT_BUFFER_SIZE];     // the whole title

// Runs command 1 to 5 (Run, Pause, Reset, Help, About); others do nothing.
void stopwatch_command(int command);
// Counts one second and shows the new time in the title.
void stopwatch_tick();
// Title "00:00:00", counters back to 100, state reset.
void reset_display();
// Sets the counters to 100, as at program start.
void reset_counters();
