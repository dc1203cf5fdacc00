// Windows 11's caption metrics set for a test, and the room a caption
// leaves its title under the metrics the system has.
#pragma once

#include <windows.h>

// Segoe UI 9 point and caption buttons 46 pixels wide, the text made
// `text_percent` of its size ("Make text bigger"), for this program and
// the ones started while the guard lives, and told to the running ones;
// the metrics before are put back, and told, when it goes.
struct windows11_caption {
  explicit windows11_caption(int text_percent);
  ~windows11_caption();
  NONCLIENTMETRICSW saved = {};
};

// The system's title bar (it begins after the window icon) less its three
// caption buttons and `title` in the system's caption font at the DPI:
// below 0 where the title is cut short.
int caption_room_left(HWND window, const char* title, int dpi);
