// Reading what an About window shows on the screen, from another process:
// its client area captured from the screen, and the cells its page lines
// occupy there.
#pragma once

#include <windows.h>

#include <vector>

struct client_capture {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // row by row, 0x00BBGGRR

  COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The window's client area as it is on the screen now.
client_capture capture_client(HWND window);

// The cell that a page line of this text occupies in client pixels (line n
// starts at 60, 20 + 18 n), measured in the system font that the window's
// drawing context uses by default. An empty text has an empty cell.
RECT page_line_cell(int line, const char* text);

// Counts of pixels within a rectangle (clipped to the capture): pure white
// ones and any that are not black.
int count_white(const client_capture& capture, const RECT& area);
int count_not_black(const client_capture& capture, const RECT& area);

// Pixels that are not black inside area but outside all of the cells:
// what a page left that it should not have.
int count_stray(const client_capture& capture, const RECT& area, const std::vector<RECT>& cells);
