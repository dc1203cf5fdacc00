#include "clock_calls.h"

clock_call_table clock_calls = {SetTimer, KillTimer, SetWindowTextA};

void restore_clock_calls() { clock_calls = {SetTimer, KillTimer, SetWindowTextA}; }
