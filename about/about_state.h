// Global state of the About program: its class name and module, the
// dialog-unit factors, the window with its picture, its one drawing context
// and its menus, and the lines of its text page with the copy of the line
// being typed, and the purchase entry. Everything lives for the
// whole run; handles are left to the system at process end.
#pragma once

#include <windows.h>

#include "text_buffer.h"

extern char about_class_name[TEXT_BUFFER_SIZE];
extern HINSTANCE module_instance;
// Pixels per horizontal and per vertical dialog unit.
extern int unit_x;
extern int unit_y;
extern HWND about_window;
extern HWND picture_control;
// The window's own context (its class has CS_OWNDC), so the colours set on
// it persist from one drawing step to the next.
extern HDC about_dc;
extern HMENU about_menu_bar;
extern HMENU about_menu_popup;

constexpr int PAGE_LINE_COUNT = 14;
// The lines 0 to 13 that the pages draw onto the window: the text of the
// page loaded last, which is what is on the screen as long as every page
// clears before it changes them.
extern char page_lines[PAGE_LINE_COUNT][TEXT_BUFFER_SIZE];
// The colour each line was last drawn in (black for an erased line), from
// which a repaint draws the page again as it stood.
extern COLORREF line_colours[PAGE_LINE_COUNT];
// The full text of the line being typed, while the line itself grows.
extern char typing_copy[TEXT_BUFFER_SIZE];
// The menu's purchase entry: its fixed words and the vendor's site name.
extern char purchase_entry[TEXT_BUFFER_SIZE];

// page_steps, busy while a page is drawn so that a command let in by the
// page's waits is held until it is complete, lives in about_window.cpp
// beside the command routing, the only code that reads it.
