#include "about_in_process.h"

#include <cstdlib>
#include <string>

#include "about_controls.h"
#include "about_state.h"
#include "about_window.h"
#include "harness.h"

namespace {

bool prepared = false;
bool built = false;

LRESULT CALLBACK plain_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

void prepare_about_program() {
  if (prepared) return;
  prepared = true;
  const char* bin = std::getenv("OMBREL_BIN_DIR");
  if (bin != nullptr) SetCurrentDirectoryA(wine_path(bin).c_str());
  copy_text(about_class_name, "OmbrelAbout");
  compute_dialog_units();
  module_instance = GetModuleHandleA(nullptr);
  register_about_class();
  init_common_controls();
}

HWND about_window_in_process() {
  prepare_about_program();
  if (!built) {
    built = true;
    build_about_window();
  }
  return about_window;
}

HWND make_test_parent() {
  static bool registered = false;
  if (!registered) {
    registered = true;
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = plain_window_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    window_class.lpszClassName = "AboutTestParent";
    RegisterClassA(&window_class);
  }
  return CreateWindowExA(0, "AboutTestParent", "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                         400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

std::vector<COLORREF> read_about_pixels(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  std::vector<COLORREF> pixels;
  if (width <= 0 || height <= 0) return pixels;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(about_dc);
  HBITMAP bitmap = CreateDIBSection(about_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, about_dc, area.left, area.top, SRCCOPY);
  GdiFlush();
  const auto* bytes = static_cast<const unsigned char*>(bits);
  pixels.resize(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = RGB(bytes[i * 4 + 2], bytes[i * 4 + 1], bytes[i * 4]);
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
}

int count_stray_in_process(const RECT& area, const std::vector<RECT>& cells) {
  const std::vector<COLORREF> pixels = read_about_pixels(area);
  const int width = area.right - area.left;
  int stray = 0;
  for (size_t i = 0; i < pixels.size(); ++i) {
    if (pixels[i] == RGB(0, 0, 0)) continue;
    const int x = area.left + static_cast<int>(i) % width;
    const int y = area.top + static_cast<int>(i) / width;
    bool in_cell = false;
    for (const RECT& cell : cells) {
      if (x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom) in_cell = true;
    }
    if (!in_cell) ++stray;
  }
  return stray;
}

bool take_quit_message(int* exit_code) {
  MSG message;
  if (!PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
  if (exit_code != nullptr) *exit_code = static_cast<int>(message.wParam);
  return true;
}
