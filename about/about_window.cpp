#include "about_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include "about_controls.h"
#include "about_menu.h"
#include "about_pages.h"
#include "about_state.h"
#include "display_scale.h"
#include "held_steps.h"
#include "instance.h"
#include "page_pace.h"
#include "system_libraries.h"
#include "window_skeleton.h"
#include "window_utils.h"

namespace {

constexpr COLORREF BLACK = 0x000000;

// The page as it last stood on the screen, after the system erased part of
// the window (restored, uncovered, or invalidated by another program), at
// any time, in the middle of a page as well.
void paint_window(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  redraw_page(dc);
  EndPaint(window, &paint);
}

// Moved to a monitor of another scale: the system's suggested rectangle,
// the page font and the picture at the new DPI, and the page drawn again as
// it last stood.
void change_dpi(HWND window, WPARAM wparam, LPARAM lparam) {
  take_dpi_change(window, wparam, lparam);
  rebuild_display_font(about_dc);
  place_icon(picture_control, PICTURE_FILE, PICTURE_X, PICTURE_Y, 0);
  InvalidateRect(window, nullptr, TRUE);
}

void open_product_page() {
  // A normal show command: a browser that is not running yet opens its
  // window the way its start asks, and a hidden start would hide the page.
  ShellExecuteA(nullptr, nullptr, VENDOR_PRODUCT_PAGE, nullptr, nullptr, SW_SHOWNORMAL);
}

void run_about_command(int command) {
  switch (command) {
    case IDM_VERSION:
    case IDM_CREDITS:
      // A finer tick for the page's 5 ms steps while it is drawn, and the
      // system's own again once it is complete.
      begin_page_tick();
      if (command == IDM_VERSION) {
        show_version_page();
      } else {
        show_credits_page();
      }
      end_page_tick();
      break;
    case IDM_PURCHASE:
      open_product_page();
      break;
    case IDM_EXIT:
      PostQuitMessage(0);
      break;
    default:
      break;  // such as IDOK and IDCANCEL from dialog navigation
  }
}

// A page draws with the loop stopped, but its waits (its own, kept
// answering, and its sounds') let messages sent by other programs in: a
// command among them would draw its page into the middle of this one, or
// open the product page in the middle of it. It is held instead, and run,
// in the order it came, as soon as the page is complete.
held_steps page_steps = {run_about_command, nullptr, NO_MERGED_STEP, false, false, {}};

}  // namespace

void register_about_class() {
  HICON icon = LoadIconA(nullptr, IDI_WINLOGO);
  // Replaced by a black brush while the window is built.
  HBRUSH background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  register_window_class(about_class_name, about_window_proc, module_instance, icon, background,
                        ABOUT_CLASS_STYLE);
}

void init_common_controls() {
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ABOUT_COMMON_CONTROLS;
  system_init_common_controls(&controls);
}

void build_about_window() {
  if (activate_previous_instance(about_class_name) == previous_instance::FOUND) {
    PostQuitMessage(0);
    return;
  }
  about_window = create_form(ABOUT_FORM_CAPTION, 0, 0, ABOUT_FORM_WIDTH, ABOUT_FORM_HEIGHT,
                             ABOUT_WINDOW_STYLE, 0);
  // A missing or unreadable picture file leaves the control empty, 0 by 0.
  picture_control = create_icon(PICTURE_FILE, about_window, 0, PICTURE_X, PICTURE_Y, 0, 0, 0, 0, 0);

  // Opaque black cell background and the system font at the window's DPI
  // for all page text; kept for the whole run.
  about_dc = GetDC(about_window);
  SetBkColor(about_dc, BLACK);
  rebuild_display_font(about_dc);

  build_about_menu();
  center_in_work_area(about_window);
  set_background_colour(about_window, BLACK);
  set_window_text(about_window, ABOUT_TITLE);
  ShowWindow(about_window, SW_SHOW);
  make_topmost(about_window);
  run_step(page_steps, IDM_VERSION);
}

LRESULT CALLBACK about_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
    case WM_DESTROY:
      // The window itself is left to the system at process end.
      ReleaseDC(about_window, about_dc);
      PostQuitMessage(0);
      return 0;
    case WM_COMMAND:
      run_step(page_steps, LOWORD(wparam));
      return 0;
    case WM_DPICHANGED:
      change_dpi(window, wparam, lparam);
      return 0;
    case WM_CTLCOLORSTATIC:
      // The picture's transparent pixels show the black page, not the
      // system's face colour.
      return reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
    case WM_PAINT:
      // Also while a page is drawn: the page record holds exactly what is
      // on the screen, the line being drawn included.
      paint_window(window);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}
