#include "display_scale.h"

int scale_for_dpi(int value, int dpi) {
  const long long product = static_cast<long long>(value) * dpi;
  const long long half = BASE_DPI / 2;
  const long long rounded =
      product >= 0 ? (product + half) / BASE_DPI : (product - half) / BASE_DPI;
  return static_cast<int>(rounded);
}

#ifdef _WIN32

int window_dpi = BASE_DPI;

namespace {

HFONT current_font;

// The screen's DPI as drawing contexts report it: the system DPI, for which
// the stock objects are made.
int screen_dpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : BASE_DPI;
}

using dpi_for_window_call = UINT(WINAPI*)(HWND);

// GetDpiForWindow, looked up at run time: the programs start on systems
// that predate it.
dpi_for_window_call dpi_for_window() {
  static bool looked = false;
  static dpi_for_window_call call = nullptr;
  if (!looked) {
    looked = true;
    FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    // Through void*: the address is of a function of this very type.
    call = reinterpret_cast<dpi_for_window_call>(reinterpret_cast<void*>(found));
  }
  return call;
}

}  // namespace

int scaled(int value) { return scale_for_dpi(value, window_dpi); }

int read_window_dpi(HWND window) {
  dpi_for_window_call call = dpi_for_window();
  const int dpi = call != nullptr ? static_cast<int>(call(window)) : 0;
  window_dpi = dpi > 0 ? dpi : screen_dpi();
  return window_dpi;
}

void take_dpi_change(HWND window, WPARAM wparam, LPARAM lparam) {
  const int dpi = HIWORD(wparam);
  if (dpi > 0) window_dpi = dpi;
  const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
  if (suggested == nullptr) return;
  SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void outer_rect_for_client(RECT* rect, DWORD style, bool menu, DWORD ex_style) {
  using adjust_call = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static bool looked = false;
  static adjust_call adjust_for_dpi = nullptr;
  if (!looked) {
    looked = true;
    FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi");
    adjust_for_dpi = reinterpret_cast<adjust_call>(reinterpret_cast<void*>(found));
  }
  if (adjust_for_dpi != nullptr &&
      adjust_for_dpi(rect, style, menu, ex_style, static_cast<UINT>(window_dpi))) {
    return;
  }
  AdjustWindowRectEx(rect, style, menu, ex_style);
}

HFONT rebuild_display_font(HDC holder) {
  HFONT stock = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  HFONT previous = current_font;
  current_font = stock;
  const int made_for = screen_dpi();
  if (window_dpi != made_for) {
    LOGFONTA face = {};
    if (GetObjectA(stock, sizeof face, &face) != 0) {
      face.lfHeight = MulDiv(face.lfHeight, window_dpi, made_for);
      face.lfWidth = MulDiv(face.lfWidth, window_dpi, made_for);
      HFONT made = CreateFontIndirectA(&face);
      if (made != nullptr) current_font = made;
    }
  }
  // A font still selected into a context must not be deleted.
  if (holder != nullptr) SelectObject(holder, current_font);
  if (previous != nullptr && previous != stock) DeleteObject(previous);
  return current_font;
}

HFONT display_font() {
  return current_font != nullptr ? current_font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

#endif
