// OmbrelSplash: a borderless window that shows the product picture centred
// on the screen for about one second, with the command-line tail as text.
#pragma once

#include <windows.h>

constexpr UINT SPLASH_TIMER_ID = 1;
// A test-only build lingers longer, so that a second start meets it for sure.
#ifdef OMBREL_SPLASH_TIMER_MS
constexpr UINT SPLASH_TIMER_MS = OMBREL_SPLASH_TIMER_MS;
#else
constexpr UINT SPLASH_TIMER_MS = 1000;
#endif
// Another program may end the splash early with this command.
constexpr WORD IDM_SPLASH_END = 101;
constexpr int SPLASH_WIDTH = 186;
constexpr int SPLASH_HEIGHT = 159;
// The splash text sits inside the picture, near its bottom-left corner.
constexpr int SPLASH_TEXT_X = 6;
constexpr int SPLASH_TEXT_BOTTOM_MARGIN = 4;

void create_splash_window(HINSTANCE instance);
LRESULT CALLBACK splash_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
