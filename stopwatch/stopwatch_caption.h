// Room for the time in Lapwick's caption. The window's only display is its
// title, and the system cuts a title that does not fit between the window
// icon and the caption buttons short ("00:00:..."). How much room it takes
// depends on the system: the caption font (larger with Windows' "Make text
// bigger"), the caption buttons (about 46 pixels each under Windows 10 and
// 11's composition) and the display scale.
#pragma once

#include <windows.h>

// Kept between the end of the time and the caption buttons, at 96 DPI.
constexpr int CAPTION_TIME_MARGIN = 6;

// The outer width at which the window's caption holds `title` whole (the
// widest title, "00:00:00", which shows every digit at its own width), at
// the window's DPI and with the system's caption metrics for it.
int caption_width_for_title(HWND window, const char* title);
