// The caption as the system lays it out, and the caption metrics of
// Windows 11 set for a test: Lapwick's time must stand whole in its
// caption under them.
#pragma once

#include <windows.h>

// Windows 11's caption at 100 %: Segoe UI 9 point and caption buttons 46
// pixels wide, with the text made `text_percent` of its size ("Make text
// bigger"). Set for this program and every program started while the
// guard lives, and told to the running ones; the metrics before are put
// back (and told) when it goes.
class windows11_caption {
 public:
  explicit windows11_caption(int text_percent);
  ~windows11_caption();
  windows11_caption(const windows11_caption&) = delete;
  windows11_caption& operator=(const windows11_caption&) = delete;

 private:
  NONCLIENTMETRICSW saved_ = {};
};

// The width of the text in the caption font the system gives windows at
// the DPI.
int caption_text_width(const char* text, int dpi);

// The room for the title: the system's title bar, which begins after the
// window icon, less the three caption buttons at its end.
int caption_room(HWND window, int dpi);
