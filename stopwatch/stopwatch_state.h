// Global state of Lapwick: the clock's run state, counters and title
// texts, the window with its class, title and menus, and the text of the
// last message box. Everything lives for the whole run; handles are left
// to the system at process end.
#pragma once

#include <windows.h>

#include "text_buffer.h"

constexpr int STATE_RESET = 0;
constexpr int STATE_RUNNING = 1;
constexpr int STATE_PAUSED = 2;

// Counters hold 100 plus what they count, so the last two characters of
// their text are always the two-digit field with its leading zero.
constexpr int COUNTER_BASE = 100;

// The clock. Running time is read from the system's millisecond clock:
// the stretches run before the last Pause, plus, while running, the time
// since the current stretch began.
extern int run_state;
extern ULONGLONG earlier_running_ms;
extern ULONGLONG stretch_start_ms;
// The whole seconds of running time on the title, and the same split into
// the three fields.
extern ULONGLONG shown_seconds;
extern int second_count;
extern int minute_count;
extern int hour_count;
// The id of the timer the last successful Run started (0 until then; a
// failed SetTimer leaves it as it was). Reset does not clear it.
extern UINT_PTR timer_id;

extern char seconds_text[TEXT_BUFFER_SIZE];  // "SS"
extern char minutes_text[TEXT_BUFFER_SIZE];  // "MM:"
extern char hours_text[TEXT_BUFFER_SIZE];    // "HH:"
extern char time_text[TEXT_BUFFER_SIZE];     // the whole title

// The window, and the module that holds its class icon and the chime.
extern HWND stopwatch_window;
extern HINSTANCE stopwatch_module;
extern char class_name_text[TEXT_BUFFER_SIZE];
extern char initial_title[TEXT_BUFFER_SIZE];
extern HMENU system_menu;
extern HMENU menu_bar;

// The body of the Help or About box last built.
extern char box_text[TEXT_BUFFER_SIZE];

// Two more pieces of state live beside the only code that uses them:
// - clock_steps (stopwatch_window.cpp): the clock's steps, busy while a
//   refresh or command runs, so that a message let in by a chime's wait is
//   held in order and run after it, not inside it;
// - clock_calls (clock_calls.h): the table of timer and title calls through
//   which the clock acts, which a test may replace to record them.
