// Program entry shared by all three programs: the runtime's entry routine
// sets extended FPU precision, cuts the program name off the command line
// and calls the program's own win_main, whose result is the exit code.
#pragma once

#include <windows.h>

// Defined by each program. previous_instance is always null, show_flag
// always SW_SHOWNORMAL; command_tail points into the process command line.
int win_main(HINSTANCE instance, HINSTANCE previous_instance, const char* command_tail,
             int show_flag);
