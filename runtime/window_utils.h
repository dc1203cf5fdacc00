// Window placement, text and colour utilities over user32 and gdi32.
#pragma once

#include <windows.h>

// Centres the window in the desktop work area (the desktop less the
// taskbar), raising and activating it.
void center_in_work_area(HWND window);

// Centres the window on the screen, half a caption height above the exact
// centre; neither the Z order nor activation changes.
void center_on_screen(HWND window);

// Puts the window in the topmost band without moving, sizing or activating
// it; returns the SetWindowPos result.
BOOL make_topmost(HWND window);

BOOL set_window_text(HWND window, const char* text);

// The window's text as a temporary string (empty when it has none).
char* get_window_text(HWND window);

// Replaces the class background brush with a solid brush of the colour
// (0x00BBGGRR), deleting the previous one, and repaints the window.
void set_background_colour(HWND window, COLORREF colour);

// A normal-weight TrueType font of the face at the size in points, for the
// screen's vertical resolution. The caller owns the font.
HFONT create_point_font(const char* face_name, int points);
