// Orderly end of the program for the few conditions it cannot survive.
#pragma once

// Shows the message (a message box captioned with the program's name on
// Windows, standard error elsewhere) and ends the process with the code.
[[noreturn]] void fatal_exit(const char* message, int exit_code);
