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
// The environment entry (launch_options::environment) under which Wine
// looks for those DLLs beside the program first, as Windows does for a DLL
// that is not a Known DLL; without it Wine takes its own copies first.
extern const char PLANTED_LOAD_ORDER[];
