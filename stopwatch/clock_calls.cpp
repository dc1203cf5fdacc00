#include "clock_calls.h"

clock_call_table clock_calls = {GetTickCount64, SetTimer, KillTimer, SetWindowTextA};

void restore_clock_calls() { clock_calls = {GetTickCount64, SetTimer, KillTimer, SetWindowTextA}; }
