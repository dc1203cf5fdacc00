// Shared by the About tests: where the page lines lie in pictures of the
// page, and the About program started as another program would start it.
#pragma once

#include <windows.h>

#include <vector>

#include "about_menu.h"
#include "about_page_texts.h"
#include "about_pages.h"
#include "about_window.h"
#include "pixel_picture.h"
#include "processes.h"
#include "program_facts.h"

// The cell of a page line holding text (line n starts at PAGE_LEFT,
// PAGE_TOP + PAGE_LINE_PITCH n), as the system font measures it; band: the
// line from PAGE_LEFT to the right edge.
RECT line_cell(int line, const char* text);
RECT line_band(int line);
// The whole row of a page line at a DPI: from its top at the scaled pitch to
// the next line's, across the window.
RECT line_row(int line, int dpi);
// White pixels in area; lit (not black) pixels in area outside the cells.
int count_white(const pixel_picture& picture, const RECT& area);
int count_lit(const pixel_picture& picture, const RECT& area, const std::vector<RECT>& cells = {});
RECT whole(const pixel_picture& picture);

constexpr DWORD PAGE_BOUND_MS = 30000;  // a credits page takes seconds

// The About program's start-up steps up to its class, in this process, as
// win_main takes them: picture folder as current directory, class name,
// dialog units, module, class registered.
void prepare_about_in_process();

// OmbrelAbout (or the named build) started in the programs' folder, where
// its picture lies, and its window once it exists.
struct about_program {
  launched_program program;
  HWND window = nullptr;
};
about_program start_about(const char* exe_name = "OmbrelAbout.exe");
// The first page complete (its last line white on the screen, moments
// before its end); a sent command returns once its page is complete, unless
// a page is being drawn, which holds it.
bool wait_page_complete(HWND window);
bool run_command(HWND window, WORD command);
// The picture control's rectangle in the window's client area.
RECT picture_rect(HWND window);
