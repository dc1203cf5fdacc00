#include "about_state.h"

#include <cstring>

char about_class_name[ABOUT_TEXT_SIZE];
HINSTANCE module_instance;
int unit_x;
int unit_y;
HWND about_window;
HWND picture_control;
HDC about_dc;
HMENU about_menu_bar;
HMENU about_menu_popup;

void copy_text(char* buffer, const char* text) {
  std::strncpy(buffer, text, ABOUT_TEXT_SIZE - 1);
  buffer[ABOUT_TEXT_SIZE - 1] = 0;
}
