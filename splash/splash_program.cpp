#include "splash_program.h"

#include <cstring>

#include "display_scale.h"
#include "entry.h"
#include "instance.h"
#include "resource_ids.h"
#include "text_buffer.h"
#include "version.h"
#include "window_skeleton.h"
#include "window_utils.h"

namespace {

char class_name[TEXT_BUFFER_SIZE];
char window_title[TEXT_BUFFER_SIZE];
char splash_text[TEXT_BUFFER_SIZE];
HINSTANCE module_instance;
HWND splash_window;
UINT timer_interval;
HBITMAP picture;
int picture_width;
int picture_height;

// The window's size and the text's place at the window's DPI, set from
// their 96-DPI values whenever the DPI is read.
int window_width;
int window_height;
int text_x;
int text_bottom;

void scale_layout() {
  window_width = scaled(SPLASH_WIDTH);
  window_height = scaled(SPLASH_HEIGHT);
  text_x = scaled(SPLASH_TEXT_X);
  text_bottom = window_height - scaled(SPLASH_TEXT_BOTTOM_MARGIN);
  rebuild_display_font(nullptr);
}

// The picture as drawn for each display scale, smallest first.
struct drawn_picture {
  int dpi;
  const char* name;
};
const drawn_picture drawn_pictures[] = {{BASE_DPI, SPLASH_PICTURE_NAME},
                                        {BASE_DPI * 3 / 2, SPLASH_PICTURE_150_NAME},
                                        {BASE_DPI * 2, SPLASH_PICTURE_200_NAME}};

// A picture scaled to width x height with halftone filtering, which
// averages the pixels a smaller picture leaves out; the original is deleted.
HBITMAP fit_picture(HBITMAP drawn, int width, int height) {
  BITMAP record = {};
  if (GetObjectA(drawn, sizeof record, &record) == 0) return drawn;
  HDC screen = GetDC(nullptr);
  HBITMAP fitted = CreateCompatibleBitmap(screen, width, height);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (fitted == nullptr || from == nullptr || to == nullptr) {
    DeleteDC(from);
    DeleteDC(to);
    return drawn;
  }
  HGDIOBJ from_before = SelectObject(from, drawn);
  HGDIOBJ to_before = SelectObject(to, fitted);
  SetStretchBltMode(to, HALFTONE);
  SetBrushOrgEx(to, 0, 0, nullptr);
  StretchBlt(to, 0, 0, width, height, from, 0, 0, record.bmWidth, record.bmHeight, SRCCOPY);
  SelectObject(from, from_before);
  SelectObject(to, to_before);
  DeleteDC(from);
  DeleteDC(to);
  DeleteObject(drawn);
  return fitted;
}

// The picture drawn for the window's DPI, or else the next larger one (the
// largest, above them all) scaled to the window's size.
void load_picture() {
  if (picture != nullptr) DeleteObject(picture);
  const drawn_picture* chosen = &drawn_pictures[sizeof drawn_pictures / sizeof *drawn_pictures - 1];
  for (const drawn_picture& drawn : drawn_pictures) {
    if (drawn.dpi >= window_dpi()) {
      chosen = &drawn;
      break;
    }
  }
  picture = LoadBitmapA(module_instance, chosen->name);
  if (picture != nullptr && chosen->dpi != window_dpi()) {
    picture = fit_picture(picture, window_width, window_height);
  }
  picture_width = 0;
  picture_height = 0;
  BITMAP record = {};
  if (picture != nullptr && GetObjectA(picture, sizeof record, &record) != 0) {
    picture_width = record.bmWidth;
    picture_height = record.bmHeight;
  }
}

void paint_splash(HWND window) {
  PAINTSTRUCT paint = {};
  HDC target = BeginPaint(window, &paint);
  HDC memory = CreateCompatibleDC(target);
  HGDIOBJ previous = SelectObject(memory, picture);
  BitBlt(target, 0, 0, picture_width, picture_height, memory, 0, 0, SRCCOPY);

  const int length = static_cast<int>(std::strlen(splash_text));
  if (length > 0) {
    // In the paint context's own font and colours, along the bottom-left
    // of the picture where it can be read.
    HGDIOBJ font = SelectObject(target, display_font());
    TEXTMETRICA metrics = {};
    GetTextMetricsA(target, &metrics);
    TextOutA(target, text_x, text_bottom - metrics.tmHeight, splash_text, length);
    SelectObject(target, font);
  }

  SelectObject(memory, previous);
  DeleteDC(memory);  // the picture itself stays for the next paint
  EndPaint(window, &paint);
}

}  // namespace

void create_splash_window(HINSTANCE instance) {
  copy_text(window_title, "Ombrel");
  // Created hidden at 500,500 and centred before it is first shown, so it
  // never appears there.
  splash_window = CreateWindowExA(0, class_name, window_title, WS_POPUP, 500, 500, SPLASH_WIDTH,
                                  SPLASH_HEIGHT, nullptr, nullptr, instance, nullptr);
  if (splash_window == nullptr) return;
  // The DPI was read as the window was made (WM_CREATE).
  if (window_dpi() != BASE_DPI) {
    SetWindowPos(splash_window, nullptr, 0, 0, window_width, window_height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetTimer(splash_window, SPLASH_TIMER_ID, timer_interval, nullptr);
  center_on_screen(splash_window);
  UpdateWindow(splash_window);
  ShowWindow(splash_window, SW_SHOWNORMAL);
}

LRESULT CALLBACK splash_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      read_window_dpi(window);
      scale_layout();
      load_picture();
      break;
    case WM_PAINT:
      paint_splash(window);
      break;
    case WM_TIMER:
      PostQuitMessage(0);
      break;
    case WM_DPICHANGED:
      take_dpi_change(window, wparam, lparam);
      scale_layout();
      load_picture();
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDM_SPLASH_END) PostQuitMessage(0);
      break;
    case WM_DESTROY:
      unregister_class_and_quit(class_name, module_instance);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

int win_main(HINSTANCE instance, HINSTANCE, const char* command_tail, int) {
  clear_window_class_record();
  copy_text(class_name, SPLASH_PROGRAM_NAME);
  module_instance = instance;
  if (activate_previous_instance(class_name) == previous_instance::FOUND) return 0;

  timer_interval = SPLASH_TIMER_MS;
  copy_text(splash_text, command_tail);

  HICON icon = LoadIconA(nullptr, IDI_WINLOGO);
  // Never erased: the picture alone paints the window.
  HBRUSH background = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  register_window_class(class_name, splash_window_proc, instance, icon, background,
                        CS_HREDRAW | CS_VREDRAW);

  create_splash_window(instance);
  // Without a window no timer message would ever end the loop.
  if (splash_window == nullptr) return 1;
  return run_message_loop();
}
