#include "stopwatch_boxes.h"

#include <windows.h>

#include "stopwatch_state.h"
#include "string_functions.h"
#include "version.h"

namespace {

// A single carriage return: the boxes' only line break.
char* line_break() { return str_chars(13, 0, 0, 0, 0, 0, 0, 0, 0, 0); }

void show_box(const char* caption) {
  ShowWindow(stopwatch_window, SW_HIDE);
  MessageBoxA(nullptr, box_text, caption, MB_ICONINFORMATION);
  // SW_SHOW, not SW_SHOWNORMAL: a window minimised before the box comes
  // back minimised.
  ShowWindow(stopwatch_window, SW_SHOW);
}

}  // namespace

// One line of the box a line of the source, with its breaks after it.
// clang-format off
void build_help_text() {
  const char* cr = line_break();
  copy_text(box_text, str_join(16,
                               "Run       starts or unpauses timer.", cr, cr,
                               "Pause    pauses\\unpauses the timer.", cr, cr,
                               "Reset    zeros the time.", cr, cr,
                               "Note:", cr,
                               "When minimized, the time displays on the", cr,
                               "Windows taskbar button. Right-click this", cr,
                               "button to display a menu."));
}

void build_about_text() {
  const char* cr = line_break();
  copy_text(box_text, str_join(10,
                               "     ", cr, cr,
                               "     " OMBREL_COPYRIGHT, cr, cr,
                               "             lapwick@" OMBREL_VENDOR_DOMAIN, cr,
                               "               " OMBREL_WEB_ADDRESS, cr));
}
// clang-format on

void show_help_box() {
  build_help_text();
  show_box(HELP_CAPTION);
}

void show_about_box() {
  build_about_text();
  show_box(ABOUT_CAPTION);
}
