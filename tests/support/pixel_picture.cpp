#include "pixel_picture.h"

pixel_picture take_picture(HDC source, int x, int y, int width, int height) {
  pixel_picture picture;
  if (width <= 0 || height <= 0) return picture;
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  const auto* bgr = static_cast<const unsigned char*>(bits);
  picture.width = width;
  picture.height = height;
  for (int i = 0; i < width * height; ++i) {
    picture.pixels.push_back(RGB(bgr[i * 4 + 2], bgr[i * 4 + 1], bgr[i * 4]));
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return picture;
}

pixel_picture screen_area(int left, int top, int width, int height) {
  HDC screen = GetDC(nullptr);
  pixel_picture picture = take_picture(screen, left, top, width, height);
  ReleaseDC(nullptr, screen);
  return picture;
}

pixel_picture screen_picture(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  return screen_area(origin.x, origin.y, client.right, client.bottom);
}
