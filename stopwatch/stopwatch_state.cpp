#include "stopwatch_state.h"

int run_state = STATE_RESET;
ULONGLONG earlier_running_ms = 0;
ULONGLONG stretch_start_ms = 0;
ULONGLONG shown_seconds = 0;
int second_count = COUNTER_BASE;
int minute_count = COUNTER_BASE;
int hour_count = COUNTER_BASE;
UINT_PTR timer_id = 0;

char seconds_text[TEXT_BUFFER_SIZE];
char minutes_text[TEXT_BUFFER_SIZE];
char hours_text[TEXT_BUFFER_SIZE];
char time_text[TEXT_BUFFER_SIZE];

HWND stopwatch_window = nullptr;
HINSTANCE stopwatch_module = nullptr;
char class_name_text[TEXT_BUFFER_SIZE];
char initial_title[TEXT_BUFFER_SIZE];
HMENU system_menu = nullptr;
HMENU menu_bar = nullptr;

char box_text[TEXT_BUFFER_SIZE];
