// Pictures read back from a drawing context or from the screen, as 24-bit
// colours row by row, for tests that check what a program drew.
#pragma once

#include <windows.h>

#include <vector>

struct pixel_picture {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // top row first
  COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// width x height pixels of source from (x, y).
pixel_picture take_picture(HDC source, int x, int y, int width, int height);
// The screen inside a rectangle given in screen coordinates.
pixel_picture screen_area(int left, int top, int width, int height);
// The window's client area as the screen shows it now.
pixel_picture screen_picture(HWND window);
