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
  register_window_class(class_name_text, stopwatch_window_proc, stopwatch_module, icon, background,
                        CS_HREDRAW | CS_VREDRAW);
}

// Menu commands come with the id in the low word; the system menu's own
// commands keep their reserved low four bits, so the ids are compared whole.
bool is_stopwatch_command(WPARAM wparam) {
  const int id = LOWORD(wparam);
  return id >= IDM_RUN && id <= IDM_ABOUT;
}

// Set while the clock counts a second or runs a command. Every chime
// waits on the sound system, and that wait lets in the messages other
// programs send: a command or tick among them would run inside this one (a
// Reset in the middle of a whole-minute tick, and then the tick's title
// over the reset one). Such a message is posted again instead, and runs
// after this one, like any other input.
bool clock_busy = false;

bool deferred_while_busy(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!clock_busy) return false;
  PostMessageA(window, message, wparam, lparam);
  return true;
}

}  // namespace

LRESULT CALLBACK stopwatch_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      // Timer id 0 is never one of ours: SetTimer gives 0 only on failure.
      if (timer_id != 0 && LOWORD(wparam) == timer_id && run_state == STATE_RUNNING) {
        if (deferred_while_busy(window, message, wparam, lparam)) return 0;
        clock_busy = true;
        stopwatch_tick();
        clock_busy = false;
        return 0;
      }
      break;
    case WM_COMMAND:
    case WM_SYSCOMMAND:
      // Handled or not, the message goes on to default processing, so
      // move, minimise and close keep working.
      if (is_stopwatch_command(wparam)) {
        if (deferred_while_busy(window, message, wparam, lparam)) return 0;
        // Help and About leave the clock free: their boxes' modal loops
        // go on counting.
        const int command = LOWORD(wparam);
        clock_busy = command != IDM_HELP && command != IDM_ABOUT;
        stopwatch_command(command);
        clock_busy = false;
      }
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
