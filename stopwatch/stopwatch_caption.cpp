#include "stopwatch_caption.h"

#include <dwmapi.h>

#include "display_scale.h"
#include "library_function.h"
#include "system_libraries.h"

namespace {

using metric_for_dpi_call = int(WINAPI*)(int index, UINT dpi);
using parameters_for_dpi_call = BOOL(WINAPI*)(UINT action, UINT parameter, void* value, UINT flags,
                                              UINT dpi);

// Minimise, a greyed maximise and close: the system draws all three as soon
// as the style has either box.
constexpr int CAPTION_BUTTONS = 3;

// A system metric at the window's DPI (GetSystemMetricsForDpi, Windows 10
// 1607 and later), else at the system's.
int metric_at_window_dpi(int index) {
  const auto for_dpi =
      loaded_library_function<metric_for_dpi_call>("user32.dll", "GetSystemMetricsForDpi");
  if (for_dpi != nullptr) return for_dpi(index, static_cast<UINT>(window_dpi()));
  return GetSystemMetrics(index);
}

// The font the system draws captions in at the window's DPI: asked for at
// that DPI where the system can answer (SystemParametersInfoForDpi, which
// takes the wide structure only), else at the system's DPI and scaled.
bool caption_font(LOGFONTW* font) {
  const auto for_dpi =
      loaded_library_function<parameters_for_dpi_call>("user32.dll", "SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (for_dpi != nullptr && for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                    static_cast<UINT>(window_dpi()))) {
    *font = metrics.lfCaptionFont;
    return true;
  }
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return false;
  *font = metrics.lfCaptionFont;
  HDC screen = GetDC(nullptr);
  const int system_dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (system_dpi > 0) font->lfHeight = MulDiv(font->lfHeight, window_dpi(), system_dpi);
  return true;
}

// The title's width in the caption font; 0 when the font cannot be had.
int title_width(const char* title) {
  LOGFONTW font = {};
  if (!caption_font(&font)) return 0;
  HFONT made = CreateFontIndirectW(&font);
  if (made == nullptr) return 0;
  HDC screen = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(screen, made);
  SIZE extent = {};
  GetTextExtentPoint32A(screen, title, lstrlenA(title), &extent);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  DeleteObject(made);
  return extent.cx;
}

// What the caption takes beside the title: left, the frame and the window
// icon; right, the caption buttons and the frame. The buttons' bounds come
// from the composition where it draws them (its buttons are wider than the
// classic metric says); the icon's end is where the system's own title bar
// begins; where the system tells neither (a minimised window, no
// composition), the classic layout: the icon in a box of a caption button's
// width, and the buttons at that width.
int caption_beside_title(HWND window) {
  RECT outer = {};
  GetWindowRect(window, &outer);
  RECT frame = {0, 0, 0, 0};
  outer_rect_for_client(&frame, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), false,
                        static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
  const int button = metric_at_window_dpi(SM_CXSIZE);
  const bool caption_shown = !IsIconic(window);
  TITLEBARINFO bar = {};
  bar.cbSize = sizeof bar;
  const bool bar_known =
      caption_shown && GetTitleBarInfo(window, &bar) && bar.rcTitleBar.right > bar.rcTitleBar.left;
  const int left = bar_known ? bar.rcTitleBar.left - outer.left : -frame.left + button;
  RECT buttons = {};
  if (caption_shown &&
      SUCCEEDED(system_dwm_window_attribute(window, DWMWA_CAPTION_BUTTON_BOUNDS, &buttons,
                                            sizeof buttons)) &&
      buttons.right > buttons.left) {
    // Window coordinates: from the first button to the window's right edge.
    return left + (outer.right - outer.left) - buttons.left;
  }
  const int right_frame = bar_known ? outer.right - bar.rcTitleBar.right : frame.right;
  return left + CAPTION_BUTTONS * button + right_frame;
}

}  // namespace

int caption_width_for_title(HWND window, const char* title) {
  if (window == nullptr) return 0;
  return caption_beside_title(window) + title_width(title) + scaled(CAPTION_TIME_MARGIN);
}
