// Display scale. Every pixel quantity in the programs is written as its
// value at 96 DPI (the scale Windows calls 100 %) and scaled here by the
// DPI of the window it belongs to. Each program has one window: its DPI is
// read once, when the window is made, and again when the system moves it
// to a monitor of another scale (WM_DPICHANGED).
#pragma once

constexpr int BASE_DPI = 96;

// value * dpi / 96 to the nearest whole pixel, halves away from zero: the
// rounding of Windows' MulDiv.
int scale_for_dpi(int value, int dpi);

#ifdef _WIN32
#include <windows.h>

// The DPI of the program's window; BASE_DPI until read_window_dpi reads it.
// Only this unit changes it, from what the system says of the window.
int window_dpi();

// A value at 96 DPI at the window's DPI.
int scaled(int value);

// Reads the window's DPI, keeps it as window_dpi() and returns it: GetDpiForWindow
// where the system has it (Windows 10 1607 and later), else the screen's
// LOGPIXELSY.
int read_window_dpi(HWND window);

// The DPI of a WM_DPICHANGED (its wParam) kept as window_dpi(), and the window
// moved and sized to the rectangle the system suggests (its lParam).
void take_dpi_change(HWND window, WPARAM wparam, LPARAM lparam);

// The outer rectangle of a window of that style around the client
// rectangle *rect, at the window's DPI (AdjustWindowRectExForDpi where the
// system has it, else AdjustWindowRectEx at the system's DPI); a menu bar
// counts as one row.
void outer_rect_for_client(RECT* rect, DWORD style, bool menu, DWORD ex_style);

// The stock system font, which every drawing context starts with, at the
// window's DPI: the stock font itself when the window's DPI is the one it
// was made for, else a scalable (TrueType) face of the stock font's weight
// and its height scaled to window_dpi(). Made
// again at each call and selected into holder (when not null), the context
// that kept the previous one, which is then deleted. The unit owns it.
HFONT rebuild_display_font(HDC holder);
// The font the last rebuild made (the stock system font before any).
HFONT display_font();
#endif
