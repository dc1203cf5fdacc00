#include "splash_program.h"

#include <cstring>

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

void load_picture() {
  picture = LoadBitmapA(module_instance, SPLASH_PICTURE_NAME);
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
    TEXTMETRICA metrics = {};
    GetTextMetricsA(target, &metrics);
    const int y = SPLASH_HEIGHT - SPLASH_TEXT_BOTTOM_MARGIN - metrics.tmHeight;
    TextOutA(target, SPLASH_TEXT_X, y, splash_text, length);
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
  SetTimer(splash_window, SPLASH_TIMER_ID, timer_interval, nullptr);
  center_on_screen(splash_window);
  UpdateWindow(splash_window);
  ShowWindow(splash_window, SW_SHOWNORMAL);
}

LRESULT CALLBACK splash_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      load_picture();
      break;
    case WM_PAINT:
      paint_splash(window);
      break;
    case WM_TIMER:
      PostQuitMessage(0);
      break;
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
