#include "window_utils.h"

#include "placement.h"
#include "pool.h"

namespace {

int_rect from_rect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

void center_in_work_area(HWND window) {
  RECT work = {0, 0, 0, 0};
  RECT frame = {0, 0, 0, 0};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(window, &frame);
  const int_point at = centre_in_area(from_rect(work), from_rect(frame));
  // HWND_TOP without SWP_NOACTIVATE: the window is also raised and activated.
  SetWindowPos(window, HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE);
}

void center_on_screen(HWND window) {
  RECT frame = {0, 0, 0, 0};
  GetWindowRect(window, &frame);
  const int_point at =
      centre_on_screen_point(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                             from_rect(frame), GetSystemMetrics(SM_CYCAPTION));
  SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

BOOL make_topmost(HWND window) {
  return SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

BOOL set_window_text(HWND window, const char* text) { return SetWindowTextA(window, text); }

char* get_window_text(HWND window) {
  const int length = GetWindowTextLengthA(window);
  char* text = tmp_string(length + 1);
  GetWindowTextA(window, text, length + 1);
  return text;
}

void set_background_colour(HWND window, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  const ULONG_PTR previous =
      SetClassLongPtrA(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush));
  // A class registered with a system-colour value (COLOR_x + 1) hands that
  // small number to DeleteObject, which leaves it alone.
  DeleteObject(reinterpret_cast<HGDIOBJ>(previous));
  InvalidateRect(window, nullptr, TRUE);
}

HFONT create_point_font(const char* face_name, int points) {
  HDC screen = GetDC(nullptr);
  const int pixels_per_inch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return CreateFontA(point_font_height(points, pixels_per_inch), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                     FALSE, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face_name);
}
