#include "about_state.h"

char about_class_name[TEXT_BUFFER_SIZE];
HINSTANCE module_instance;
int unit_x;
int unit_y;
HWND about_window;
HWND picture_control;
HDC about_dc;
HMENU about_menu_bar;
HMENU about_menu_popup;
char page_lines[PAGE_LINE_COUNT][TEXT_BUFFER_SIZE];
char typing_copy[TEXT_BUFFER_SIZE];
COLORREF line_colours[PAGE_LINE_COUNT];
char purchase_entry[TEXT_BUFFER_SIZE];
