#include "stopwatch_window.h"

#include "clock_calls.h"
#include "stopwatch_clock.h"
#include "stopwatch_commands.h"
#include "stopwatch_menus.h"
#include "stopwatch_state.h"
#include "window_skeleton.h"
#include "window_utils.h"

namespace {

void register_stopwatch_class() {
  HICON icon = LoadIconA(stopwatch_module, MAKEINTRESOURCEA(STOPWATCH_ICON_ID));
  // The client area shows nothing but this grey: the time is in the title.
  HBRUSH background = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  register_window_class(class_name_text, stopwatch_window_proc, stopwatch_module, icon,
                        background, CS_HREDRAW | CS_VREDRAW);
}

// Menu commands come with the id in the low word; the system menu's own
// commands keep their reserved low four bits, so the ids are compared whole.
bool is_stopwatch_command(WPARAM wparam) {
  const int id = LOWORD(wparam);
  return id >= IDM_RUN && id <= IDM_ABOUT;
}

}  // namespace

LRESULT CALLBACK stopwatch_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      // Timer id 0 is never one of ours: SetTimer gives 0 only on failure.
      if (timer_id != 0 && LOWORD(wparam) == timer_id && run_state == STATE_RUNNING) {
        stopwatch_tick();
        return 0;
      }
      break;
    case WM_COMMAND:
    case WM_SYSCOMMAND:
      // Handled or not, the message goes on to default processing, so
      // move, minimise and close keep working.
      if (is_stopwatch_command(wparam)) stopwatch_command(LOWORD(wparam));
      break;
    case WM_DESTROY:
      clock_calls.kill_timer(window, timer_id);
      unregister_class_and_quit(class_name_text, stopwatch_module);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

HWND start_stopwatch(HINSTANCE instance) {
  stopwatch_module = instance;
  copy_text(class_name_text, STOPWATCH_CLASS_NAME);
  copy_text(initial_title, RESET_TITLE);
  reset_counters();
  register_stopwatch_class();

  // Visible at the top-left corner until it is hidden below.
  stopwatch_window =
      CreateWindowExA(0, class_name_text, initial_title, STOPWATCH_STYLE, 0, 0, STOPWATCH_WIDTH,
                      STOPWATCH_HEIGHT, nullptr, nullptr, stopwatch_module, nullptr);
  add_system_menu_items(stopwatch_window);
  attach_menu_bar(stopwatch_window);

  ShowWindow(stopwatch_window, SW_HIDE);
  Sleep(STOPWATCH_SHOW_DELAY_MS);
  center_on_screen(stopwatch_window);
  ShowWindow(stopwatch_window, SW_SHOWNORMAL);
  UpdateWindow(stopwatch_window);
  make_topmost(stopwatch_window);
  return stopwatch_window;
}
