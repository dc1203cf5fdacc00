// Global state of the About program: its class name and module, the
// dialog-unit factors, the window with its picture, its one drawing context
// and its menus. Everything lives for the whole run; handles are left to
// the system at process end.
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

