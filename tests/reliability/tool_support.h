// Shared by the reliability tool's sections: figures read from another
// process, the table rows the report is made of, and launching programs
// in ways the test harness does not cover (any folder, extra environment;
// another Unix HOME through wine_trace.h).
#pragma once

#include <windows.h>

#include <string>

#include "processes.h"
#include "wine_trace.h"

// What a program holds, read from outside it. Under Wine GetGuiResources
// is a stub that answers 0 and PrivateUsage stays 0, so the GDI figure is
// the count of live entries in the process's GDI handle table, the USER
// figure the count of its windows (top-level, owned and child), and the
// memory figure the private bytes the system has committed for it
// (PagefileUsage, which Windows reports equal to PrivateUsage).
struct figures {
  int gdi = -1;
  int windows = -1;
  long long private_bytes = -1;
};
figures take_figures(HANDLE process, DWORD pid);
std::string describe(const figures& before, const figures& after);
// Flat: GDI and windows within a few, memory within the allowance.
bool figures_flat(const figures& before, const figures& after, long long memory_allowance);
constexpr int GDI_ALLOWANCE = 4;
constexpr int WINDOW_ALLOWANCE = 1;
constexpr long long MEMORY_ALLOWANCE = 1024 * 1024;

// One table row (stdout, tab-separated, prefixed "ROW"), counted when FAIL.
void report(const std::string& name, const std::string& tried, const std::string& figure, bool ok);
int failure_count();
// A free-form line that the table leaves out.
void note(const char* format, ...);

// The process answers a sent message within the bound.
bool answers(HWND window, DWORD timeout_ms);
// The started program's window of the class, waited for (and answering
// within answer_ms, unless that is 0); when it does not come, the row is
// reported failed at its start, the program ended and the result null.
HWND started_window(launched_program& program, const char* class_name, const char* row,
                    DWORD answer_ms = 0);
// "HH:MM:SS" with two digits in each field; its value in seconds, or -1.
int title_seconds(const std::string& title);

// Starts the executable at a full Windows path, with the working folder,
// command-line tail and one extra environment variable (name=value, or
// null) for this start only.
launched_program launch_path(const std::string& exe_path, const char* tail, const char* working_dir,
                             const char* extra_env = nullptr);
std::string bin_folder();
