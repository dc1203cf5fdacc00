#include "about_page_pixels.h"

#include <cstring>

namespace {

constexpr int PAGE_LEFT = 60;
constexpr int PAGE_TOP = 20;
constexpr int PAGE_LINE_PITCH = 18;

bool inside(const RECT& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

template <typename Test>
int count_in(const client_capture& capture, const RECT& area, Test test) {
  int count = 0;
  for (int y = area.top > 0 ? area.top : 0; y < area.bottom && y < capture.height; ++y) {
    for (int x = area.left > 0 ? area.left : 0; x < area.right && x < capture.width; ++x) {
      if (test(x, y, capture.at(x, y))) ++count;
    }
  }
  return count;
}

}  // namespace

client_capture capture_client(HWND window) {
  client_capture capture;
  RECT client = {};
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  capture.width = client.right;
  capture.height = client.bottom;
  if (capture.width <= 0 || capture.height <= 0) return capture;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, capture.width, capture.height, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();

  const auto* rows = static_cast<const unsigned char*>(bits);
  capture.pixels.resize(static_cast<size_t>(capture.width) * capture.height);
  for (size_t i = 0; i < capture.pixels.size(); ++i) {
    const unsigned char* p = rows + i * 4;  // blue, green, red, unused
    capture.pixels[i] = RGB(p[2], p[1], p[0]);
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return capture;
}

RECT page_line_cell(int line, const char* text) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  SelectObject(memory, GetStockObject(SYSTEM_FONT));
  SIZE extent = {0, 0};
  GetTextExtentPoint32A(memory, text, static_cast<int>(std::strlen(text)), &extent);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  const int top = PAGE_TOP + PAGE_LINE_PITCH * line;
  return RECT{PAGE_LEFT, top, PAGE_LEFT + extent.cx, top + (extent.cx > 0 ? extent.cy : 0)};
}

int count_white(const client_capture& capture, const RECT& area) {
  return count_in(capture, area, [](int, int, COLORREF c) { return c == RGB(255, 255, 255); });
}

int count_not_black(const client_capture& capture, const RECT& area) {
  return count_in(capture, area, [](int, int, COLORREF c) { return c != RGB(0, 0, 0); });
}

int count_stray(const client_capture& capture, const RECT& area, const std::vector<RECT>& cells) {
  return count_in(capture, area, [&](int x, int y, COLORREF c) {
    if (c == RGB(0, 0, 0)) return false;
    for (const RECT& cell : cells) {
      if (inside(cell, x, y)) return false;
    }
    return true;
  });
}
