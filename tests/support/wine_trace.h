// Programs started through a Unix shell, for what CreateProcess cannot set:
// Wine's own debug output sent to a file (then read back for what Wine
// logged), or a Unix environment variable such as HOME.
#pragma once

#include <string>
#include <vector>

#include "paths.h"
#include "processes.h"

// Starts the program from OMBREL_BIN_DIR (also its working folder) with
// WINEDEBUG set to winedebug and Wine's debug output written to trace_file
// (a Windows path, e.g. from temp_file). Wine writes its debug output to
// the Unix standard error, which a child started with CreateProcess shares
// with its parent whatever its Windows standard handles are, so the program
// is started through a Unix shell that redirects it. The result is opened
// by process id and works with wait_exit, is_running and kill_program; it
// has no thread handle. A folder given (Windows path) replaces OMBREL_BIN_DIR;
// environment entries given ("NAME=value") are set for the program only.
launched_program launch_with_trace(const char* exe_name, const char* winedebug,
                                   const std::string& trace_file, const std::string& folder = "",
                                   const std::vector<std::string>& environment = {});

// Starts the program from OMBREL_BIN_DIR (also its working folder) through
// a Unix shell with Unix environment variables set ("NAME=value", e.g.
// "HOME=/tmp/empty" for a home with no sound set-up), and its Unix standard
// error sent to error_file (a Unix path) unless that is empty. Opened by
// process id, as launch_with_trace; also readable (PROCESS_VM_READ). A
// folder given (Windows path) replaces OMBREL_BIN_DIR; a command-line tail
// given is split into words at its spaces (no quoting).
launched_program launch_through_shell(const char* exe_name,
                                      const std::vector<std::string>& assignments,
                                      const std::string& error_file, DWORD timeout_ms,
                                      const std::string& folder = "", const std::string& tail = "");

// The Unix path of a Windows path, through Wine's own mapping; empty when
// it has none.
std::string unix_path(const std::string& windows_path);

// Sounds a program played, read from its trace+winmm log (launch it with
// launch_with_trace and "trace+winmm"): the RIFF chunk size of each
// WAVE image in the order played (the file's byte count less 8).
std::vector<unsigned long> played_sound_sizes(const std::string& winmm_trace);
