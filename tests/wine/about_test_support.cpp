#include "about_test_support.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "about_controls.h"
#include "about_state.h"
#include "about_window.h"
#include "display_dpi.h"
#include "paths.h"
#include "processes.h"
#include "waits.h"
#include "window_search.h"

RECT line_cell(int line, const char* text) {
  HDC memory = CreateCompatibleDC(nullptr);
  SelectObject(memory, GetStockObject(SYSTEM_FONT));
  SIZE extent = {0, 0};
  GetTextExtentPoint32A(memory, text, static_cast<int>(std::strlen(text)), &extent);
  DeleteDC(memory);
  const int top = PAGE_TOP + PAGE_LINE_PITCH * line;
  return RECT{PAGE_LEFT, top, PAGE_LEFT + extent.cx, top + extent.cy};
}

RECT line_band(int line) {
  RECT band = line_cell(line, "X");
  band.right = 10000;
  return band;
}

RECT line_row(int line, int dpi) {
  const int pitch = at_dpi(PAGE_LINE_PITCH, dpi);
  const int top = at_dpi(PAGE_TOP, dpi) + pitch * line;
  return RECT{0, top, 10000, top + pitch};
}

RECT whole(const pixel_picture& picture) { return RECT{0, 0, picture.width, picture.height}; }

namespace {

template <typename Test>
int count_in(const pixel_picture& picture, const RECT& area, Test test) {
  int count = 0;
  for (int y = std::max(0L, area.top); y < std::min<long>(area.bottom, picture.height); ++y) {
    for (int x = std::max(0L, area.left); x < std::min<long>(area.right, picture.width); ++x) {
      if (test(x, y, picture.pixels[y * picture.width + x])) ++count;
    }
  }
  return count;
}

}  // namespace

int count_white(const pixel_picture& picture, const RECT& area) {
  return count_in(picture, area, [](int, int, COLORREF c) { return c == RGB(255, 255, 255); });
}

int count_lit(const pixel_picture& picture, const RECT& area, const std::vector<RECT>& cells) {
  return count_in(picture, area, [&](int x, int y, COLORREF c) {
    const POINT at = {x, y};
    for (const RECT& cell : cells) {
      if (PtInRect(&cell, at)) return false;
    }
    return c != RGB(0, 0, 0);
  });
}

about_program start_about(const char* exe_name) {
  static std::string folder;
  folder = wine_path(std::getenv("OMBREL_BIN_DIR") ? std::getenv("OMBREL_BIN_DIR") : ".");
  launch_options options;
  options.working_dir = folder.c_str();
  about_program about;
  about.program = launch(exe_name, options);
  about.window = wait_for_window(ABOUT_CLASS, about.program.info.dwProcessId, 20000);
  return about;
}

bool wait_page_complete(HWND window) {
  // The page answers sent messages while it is drawn, so the screen tells:
  // complete once its last line is white (only at its last step) and
  // nothing is lit beside its three lines and the picture. The window is
  // 318 pixels wide at 96 DPI, and as much wider at its own DPI.
  // Read each time: the picture is created after the window.
  const bool last_line_white = wait_until(
      [&] {
        RECT frame = {};
        GetWindowRect(window, &frame);
        const int dpi = MulDiv(frame.right - frame.left, 96, 318);
        const std::vector<RECT> shown = {line_row(VERSION_PRODUCT_ROW, dpi),
                                         line_row(VERSION_LABEL_ROW, dpi),
                                         line_row(VERSION_NUMBER_ROW, dpi), picture_rect(window)};
        const pixel_picture page = screen_picture(window);
        return count_white(page, shown[2]) > 0 && count_lit(page, whole(page), shown) == 0;
      },
      PAGE_BOUND_MS);
  DWORD_PTR result = 0;
  return last_line_white && SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL,
                                                wait_bound(PAGE_BOUND_MS), &result) != 0;
}

bool run_command(HWND window, WORD command) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_COMMAND, command, 0, SMTO_NORMAL, wait_bound(PAGE_BOUND_MS),
                             &result) != 0;
}

RECT picture_rect(HWND window) {
  RECT r = {};
  GetWindowRect(FindWindowExA(window, nullptr, "Static", nullptr), &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void prepare_about_in_process() {
  // The picture file lies beside the programs.
  SetCurrentDirectoryA(wine_path(std::getenv("OMBREL_BIN_DIR")).c_str());
  copy_text(about_class_name, ABOUT_CLASS);
  compute_dialog_units();
  module_instance = GetModuleHandleA(nullptr);
  register_about_class();
}
