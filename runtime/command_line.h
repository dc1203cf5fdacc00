// The command-line tail: what follows the program name on the command line.
#pragma once

// Points into command_line (nothing is copied) just past the program name
// and the blanks after it. Only the blank (code 32) separates: a tab
// neither ends an unquoted name nor is skipped. A quoted name whose closing
// quote is missing leaves the whole line, opening quote included.
const char* command_line_tail(const char* command_line);
