// Starting OmbrelAbout as another program would and driving its window
// from this process.
#pragma once

#include <windows.h>

#include "harness.h"

constexpr const char ABOUT_CLASS[] = "OmbrelAbout";
constexpr WORD ABOUT_VERSION_COMMAND = 1016;
constexpr WORD ABOUT_CREDITS_COMMAND = 1008;
constexpr WORD ABOUT_PURCHASE_COMMAND = 1001;
constexpr WORD ABOUT_EXIT_COMMAND = 1003;
// Bounds generous enough for a loaded machine; a credits page with its
// sounds takes about five seconds here.
constexpr DWORD ABOUT_START_MS = 20000;
constexpr DWORD ABOUT_PAGE_MS = 30000;

// Windows path of the folder of the built programs (where ombrel.ani is).
std::string programs_folder();

// Starts the program (OmbrelAbout.exe unless named) in the programs'
// folder, so that it finds its picture in its current directory.
launched_program start_about(const char* exe_name = "OmbrelAbout.exe");

// The program's About window, or null if none appears in time.
HWND wait_about_window(const launched_program& program);

// Waits until the program's message loop runs again, which is when the page
// being drawn is complete; false on time-out.
bool wait_page_complete(HWND window);

// Sends a menu command and returns once it has been handled (for a page
// command: once the page is complete); false on time-out.
bool run_command(HWND window, WORD command);

// The picture control and its rectangle in the About window's client area.
HWND picture_of(HWND window);
RECT picture_rect(HWND window);

// Counts the process's top-level windows of the About class.
int about_windows_of(DWORD pid);
