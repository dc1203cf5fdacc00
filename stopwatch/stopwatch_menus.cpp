#include "stopwatch_menus.h"

#include "stopwatch_clock.h"

HMENU system_menu = nullptr;
HMENU menu_bar = nullptr;

void add_system_menu_items(HWND window) {
  system_menu = GetSystemMenu(window, FALSE);
  AppendMenuA(system_menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(system_menu, MF_STRING, IDM_RUN, "&Run");
  AppendMenuA(system_menu, MF_STRING, IDM_PAUSE, "&Pause");
  AppendMenuA(system_menu, MF_STRING, IDM_RESET, "&Reset");
  AppendMenuA(system_menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(system_menu, MF_STRING, IDM_HELP, "&Help");
  AppendMenuA(system_menu, MF_STRING, IDM_ABOUT, "&About Lapwick...");
}

void attach_menu_bar(HWND window) {
  menu_bar = CreateMenu();
  AppendMenuA(menu_bar, MF_STRING, IDM_RUN, "&Run");
  AppendMenuA(menu_bar, MF_STRING, IDM_PAUSE, "&Pause");
  AppendMenuA(menu_bar, MF_STRING, IDM_RESET, "&Reset");
  // "?" opens Help at once; there is no Help pop-up.
  AppendMenuA(menu_bar, MF_STRING, IDM_HELP, "?");
  SetMenu(window, menu_bar);
}
