// Lapwick's two menus. Both carry the same command ids, so a command does
// the same whichever menu issued it. About is offered only on the system
// menu, which is also what the taskbar button shows on a right-click.
#pragma once

#include <windows.h>

// Appends a separator, Run, Pause, Reset, a separator, Help and About
// below the system's own items.
void add_system_menu_items(HWND window);
// Builds the menu bar (Run, Pause, Reset and "?" for Help, no pop-ups)
// and attaches it to the window.
void attach_menu_bar(HWND window);
