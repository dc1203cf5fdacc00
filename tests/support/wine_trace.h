// Wine's own debug output for a started program: launched through a Unix
// shell that sends it to a file, then read back for what Wine logged.
#pragma once

#include <string>
#include <vector>

#include "harness.h"

// Starts the program from OMBREL_BIN_DIR (also its working folder) with
// WINEDEBUG set to winedebug and Wine's debug output written to trace_file
// (a Windows path, e.g. from temp_file). Wine writes its debug output to
// the Unix standard error, which a child started with CreateProcess shares
// with its parent whatever its Windows standard handles are, so the program
// is started through a Unix shell that redirects it. The result is opened
// by process id and works with wait_exit, is_running and kill_program; it
// has no thread handle.
launched_program launch_with_trace(const char* exe_name, const char* winedebug,
                                   const std::string& trace_file);

// Sounds a program played, read from its trace+winmm log (launch it with
// launch_with_trace and "trace+winmm"): the RIFF chunk size of each
// WAVE image in the order played (the file's byte count less 8).
std::vector<unsigned long> played_sound_sizes(const std::string& winmm_trace);
