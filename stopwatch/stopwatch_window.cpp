#include "stopwatch_window.h"

#include <algorithm>

#include "clock_calls.h"
#include "display_scale.h"
#include "held_steps.h"
#include "stopwatch_caption.h"
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

// What the clock is asked to do: a command id, or a refresh of the title.
constexpr int REFRESH_STEP = 0;

void run_clock_step(int step) {
  if (step == REFRESH_STEP) {
    stopwatch_refresh();
  } else {
    stopwatch_command(step);
  }
}

// Help and About leave the clock free: their boxes' modal loops go on
// refreshing the title.
bool opens_a_box(int step) { return step == IDM_HELP || step == IDM_ABOUT; }

// Every chime waits on the sound system, and that wait lets in the
// messages other programs send: a command or refresh among them would run
// inside this one (a Reset in the middle of a whole-minute refresh). Such a
// step is held instead and runs as soon as this one has ended, in the
// order it came, as a sent message would have. Nothing is posted again, so
// a full message queue loses nothing, and a timer message's lParam is never
// handed on to be called as a timer procedure. A refresh needs no place in
// the list: one later refresh reads the clock for all of them.
held_steps clock_steps = {run_clock_step, opens_a_box, REFRESH_STEP, false, false, {}};

// Runs the step, or holds it while the clock is busy; true when held.
bool clock_step(int step) { return run_step(clock_steps, step); }

// The window's outer size at its DPI, caption and menu bar included: its
// size at 96 DPI scaled, but never so small that the system cuts the time
// in its caption short or the menu bar off. The size was made for a
// 19-pixel caption in a small font with narrow buttons; where the system's
// caption font or buttons are larger (Windows 10 and 11, "Make text
// bigger"), the window grows just enough for the time, and where its
// caption is taller (Windows 10 and later draw one of 23 pixels at 96 DPI
// and more), just enough for its whole menu bar above a line of client
// area. Applied at start and whenever any of them may change: a new
// display scale, new caption metrics or a new theme.
void size_for_dpi(HWND window) {
  if (window == nullptr) return;
  read_window_dpi(window);
  const int width = std::max(scaled(STOPWATCH_WIDTH), caption_width_for_title(window, RESET_TITLE));
  RECT fit = {0, 0, width, 1};
  outer_rect_for_client(&fit, STOPWATCH_STYLE, true, 0);
  const int height = std::max(scaled(STOPWATCH_HEIGHT), static_cast<int>(fit.bottom - fit.top));
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (IsIconic(window) && GetWindowPlacement(window, &placement)) {
    // Minimised: the size it comes back at.
    RECT& normal = placement.rcNormalPosition;
    normal.right = normal.left + width;
    normal.bottom = normal.top + height;
    placement.showCmd = SW_SHOWMINNOACTIVE;
    SetWindowPlacement(window, &placement);
    return;
  }
  RECT now = {};
  GetWindowRect(window, &now);
  if (now.right - now.left == width && now.bottom - now.top == height) return;
  SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void set_icon(HWND window, WPARAM which, int size) {
  HANDLE icon = LoadImageA(stopwatch_module, MAKEINTRESOURCEA(STOPWATCH_ICON_ID), IMAGE_ICON,
                           scaled(size), scaled(size), 0);
  if (icon == nullptr) return;
  HICON previous = reinterpret_cast<HICON>(
      SendMessageA(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon)));
  if (previous != nullptr) DestroyIcon(previous);
}

void set_icons_for_dpi(HWND window) {
  set_icon(window, ICON_BIG, STOPWATCH_ICON_SIZE);
  set_icon(window, ICON_SMALL, STOPWATCH_SMALL_ICON_SIZE);
}

}  // namespace

LRESULT CALLBACK stopwatch_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      // Timer id 0 is never one of ours: SetTimer gives 0 only on failure.
      // Any timer message only makes the clock look again, so one sent by
      // another program adds no time.
      if (timer_id != 0 && LOWORD(wparam) == timer_id && run_state != STATE_RESET) {
        clock_step(REFRESH_STEP);
        return 0;
      }
      break;
    case WM_COMMAND:
    case WM_SYSCOMMAND:
      // Handled or not, the message goes on to default processing, so
      // move, minimise and close keep working.
      if (is_stopwatch_command(wparam)) {
        // A held command is answered now: ids 1 to 5 mean nothing to
        // default processing.
        if (clock_step(LOWORD(wparam))) return 0;
      }
      break;
    case WM_DPICHANGED:
      // Another monitor's scale: the system's suggested rectangle is the
      // window's size at that scale, fitted again to the caption and the
      // menu bar at it, and the icons drawn for it replace the ones for
      // the scale before.
      take_dpi_change(window, wparam, lparam);
      size_for_dpi(window);
      set_icons_for_dpi(window);
      return 0;
    case WM_SETTINGCHANGE:
      // New caption metrics, or a setting the system names only by its
      // section (0): "Make text bigger" among them.
      if (wparam == SPI_SETNONCLIENTMETRICS || wparam == 0) size_for_dpi(window);
      break;
    case WM_THEMECHANGED:
      size_for_dpi(window);
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
  size_for_dpi(stopwatch_window);
  set_icons_for_dpi(stopwatch_window);
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
