#include "display_scale.h"

int scale_for_dpi(int value, int dpi) {
  const long long product = static_cast<long long>(value) * dpi;
  const long long half = BASE_DPI / 2;
  const long long rounded =
      product >= 0 ? (product + half) / BASE_DPI : (product - half) / BASE_DPI;
  return static_cast<int>(rounded);
}

#ifdef _WIN32

#include "library_function.h"

namespace {

int current_dpi = BASE_DPI;
HFONT current_font;

// The one place the window's DPI changes.
void keep_window_dpi(int dpi) { current_dpi = dpi; }

// The screen's DPI as drawing contexts report it: the system DPI, for which
// the stock objects are made.
int screen_dpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : BASE_DPI;
}

using dpi_for_window_call = UINT(WINAPI*)(HWND);

// The TrueType sibling of the System font's look, in every Windows.
constexpr char SCALABLE_DISPLAY_FACE[] = "Microsoft Sans Serif";

}  // namespace

int window_dpi() { return current_dpi; }

int scaled(int value) { return scale_for_dpi(value, current_dpi); }

int read_window_dpi(HWND window) {
  // Looked up at run time: the programs start on systems that predate it
  // (Windows 10 1607).
  const auto dpi_for_window =
      loaded_library_function<dpi_for_window_call>("user32.dll", "GetDpiForWindow");
  const int dpi = dpi_for_window != nullptr ? static_cast<int>(dpi_for_window(window)) : 0;
  keep_window_dpi(dpi > 0 ? dpi : screen_dpi());
  return current_dpi;
}

void take_dpi_change(HWND window, WPARAM wparam, LPARAM lparam) {
  const int dpi = HIWORD(wparam);
  if (dpi > 0) keep_window_dpi(dpi);
  const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
  if (suggested == nullptr) return;
  SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void outer_rect_for_client(RECT* rect, DWORD style, bool menu, DWORD ex_style) {
  using adjust_call = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  const auto adjust_for_dpi =
      loaded_library_function<adjust_call>("user32.dll", "AdjustWindowRectExForDpi");
  if (adjust_for_dpi != nullptr &&
      adjust_for_dpi(rect, style, menu, ex_style, static_cast<UINT>(current_dpi))) {
    return;
  }
  AdjustWindowRectEx(rect, style, menu, ex_style);
}

HFONT rebuild_display_font(HDC holder) {
  HFONT stock = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  HFONT previous = current_font;
  current_font = stock;
  const int made_for = screen_dpi();
  if (current_dpi != made_for) {
    LOGFONTA face = {};
    if (GetObjectA(stock, sizeof face, &face) != 0) {
      // Windows' System font is a bitmap face, which GDI enlarges by whole
      // multiples only: at 150 % it would come out at 100 % or at 200 %.
      // A scalable face of the same weight takes the scaled height exactly.
      face.lfHeight = MulDiv(face.lfHeight, current_dpi, made_for);
      face.lfWidth = 0;
      face.lfOutPrecision = OUT_TT_ONLY_PRECIS;
      face.lfQuality = DEFAULT_QUALITY;
      face.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
      lstrcpynA(face.lfFaceName, SCALABLE_DISPLAY_FACE, LF_FACESIZE);
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
