#include "stopwatch_menus.h"

#include "stopwatch_commands.h"
#include "stopwatch_state.h"

namespace {

// The clock's three commands, in the same words on both menus.
void append_clock_items(HMENU menu) {
  AppendMenuA(menu, MF_STRING, IDM_RUN, "&Run");
  AppendMenuA(menu, MF_STRING, IDM_PAUSE, "&Pause");
  AppendMenuA(menu, MF_STRING, IDM_RESET, "&Reset");
}

}  // namespace

void add_system_menu_items(HWND window) {
  system_menu = GetSystemMenu(window, FALSE);
  AppendMenuA(system_menu, MF_SEPARATOR, 0, nullptr);
  append_clock_items(system_menu);
  AppendMenuA(system_menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(system_menu, MF_STRING, IDM_HELP, "&Help");
  AppendMenuA(system_menu, MF_STRING, IDM_ABOUT, "&About Lapwick...");
}

void attach_menu_bar(HWND window) {
  menu_bar = CreateMenu();
  append_clock_items(menu_bar);
  // "?" opens Help at once; there is no Help pop-up.
  AppendMenuA(menu_bar, MF_STRING, IDM_HELP, "?");
  SetMenu(window, menu_bar);
}
