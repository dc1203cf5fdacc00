// Lapwick's window: a small topmost window whose title is the stopwatch
// display, and the window procedure that routes the menu commands and
// hands the timer messages to the clock.
#pragma once

#include <windows.h>

#include "resource_ids.h"
#include "version.h"

constexpr char STOPWATCH_CLASS_NAME[] = LAPWICK_PROGRAM_NAME;
constexpr int STOPWATCH_ICON_ID = PROGRAM_ICON_ID;
// The icon's sizes at 96 DPI: the window's large icon and its caption's.
constexpr int STOPWATCH_ICON_SIZE = 32;
constexpr int STOPWATCH_SMALL_ICON_SIZE = 16;
// Popup with caption, system menu and minimise box; no sizing frame and no
// maximise box, so it can only be moved, minimised and closed. 0x80 is a
// class-specific bit that nothing here reads.
constexpr DWORD STOPWATCH_STYLE =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | 0x80;
constexpr int STOPWATCH_WIDTH = 220;  // outer size, caption and menu bar included
constexpr int STOPWATCH_HEIGHT = 50;
// How long the hidden window waits before it is centred and shown.
constexpr DWORD STOPWATCH_SHOW_DELAY_MS = 100;

LRESULT CALLBACK stopwatch_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Everything before the message loop: counters, class, window, menus, and
// the window centred, shown and put in the topmost band. Returns the
// window (also held in stopwatch_window).
HWND start_stopwatch(HINSTANCE instance);
