// DLLs planted beside a program under system DLLs' names, as a download
// folder can hold them: a program that restricts its library search never
// loads them.
#pragma once

#include <string>
#include <vector>

// A fresh download folder: the program beside planted DLLs (planted_dll.cpp)
// named winmm.dll, comctl32.dll and winealsa.drv (Wine's sound driver).
std::string planted_folder(const char* exe_name);
// Those of the folder's planted DLLs that were loaded.
std::vector<std::string> planted_marks(const std::string& folder);
// The control of a check that a program loaded none: in the same folder,
// started the same way under the same load order, a program that does not
// restrict its library search (planted_control.cpp) loads the planted
// winmm.dll and comctl32.dll.
// False on a bench that would never load a planted DLL, where a check
// finding no mark would test nothing.
bool planted_dlls_load_unrestricted(const std::string& folder);
// The environment entry under which Wine looks for those DLLs beside the
// program first, as Windows does for a DLL that is not a Known DLL; without
// it Wine takes its own copies first. Wine reads it from the Unix
// environment a program starts with, never from the Windows environment
// its parent passes on: a program is started beside planted DLLs through
// launch_through_shell or launch_with_trace (wine_trace.h), with this entry.
extern const char PLANTED_LOAD_ORDER[];
