// The About program's window built inside the test process, for checks
// that only work in-process (menus, control sizes, page buffers, the
// window's own drawing context).
#pragma once

#include <windows.h>

#include <vector>

// Registers the program's class once, as win_main does, with the current
// directory set to the folder of the built programs so "ombrel.ani" is
// found there.
void prepare_about_program();

// Builds the About window once (version page drawn) and returns it.
HWND about_window_in_process();

// A plain visible top-level window to hold controls under test.
HWND make_test_parent();

// The pixels of a client rectangle of about_window as its drawing context
// holds them (0x00BBGGRR, row by row).
std::vector<COLORREF> read_about_pixels(const RECT& area);

// Pixels that are not black inside area but outside all of the cells.
int count_stray_in_process(const RECT& area, const std::vector<RECT>& cells);

// Removes a posted quit message, if any, and tells whether there was one
// and its exit code.
bool take_quit_message(int* exit_code);
