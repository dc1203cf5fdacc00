// Control factories of the About program: each creates one window placed
// and sized in dialog units (converted with unit_x and unit_y) and returns
// its handle. A style of 0 asks for the factory's default style.
#pragma once

#include <windows.h>

constexpr DWORD FORM_DEFAULT_STYLE = WS_POPUP | WS_OVERLAPPEDWINDOW;
constexpr DWORD BUTTON_DEFAULT_STYLE = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD GROUP_BOX_DEFAULT_STYLE = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
constexpr DWORD ICON_DEFAULT_STYLE = WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_ICON;
// Extended style argument of create_button that stands for WS_EX_STATICEDGE.
constexpr LONG BUTTON_EX_STATIC_EDGE = -1;
// A form's outer size is its dialog-unit size plus this margin for frame,
// caption and menu bar.
constexpr int FORM_EXTRA_WIDTH = 4;
constexpr int FORM_EXTRA_HEIGHT = 12;

// Sizes and places in dialog units are also scaled from 96 DPI to the DPI
// of the form, read when create_form makes it (display_scale.h).

// Sets unit_x and unit_y from MapDialogRect over a null window, which
// leaves the rectangle as given: both factors then come out as 2.
void compute_dialog_units();

// Size of a push button that fits its caption's measured extent:
// 1.5 times as wide and 1.32 times as tall, truncated toward zero.
SIZE auto_button_size(SIZE caption_extent);

// A top-level window of the program's class, (width + 4) by (height + 12)
// dialog units, at x, y on the screen; not yet visible. Reads its DPI.
HWND create_form(const char* caption, int x, int y, int width, int height, DWORD style,
                 DWORD ex_style);

// A push button. Width 0 sizes it to its caption (auto_button_size); any
// other width leaves width and height as given. ex_style
// BUTTON_EX_STATIC_EDGE gives WS_EX_STATICEDGE.
HWND create_button(const char* caption, HWND parent, int control_id, int x, int y, int width,
                   int height, DWORD style, LONG ex_style);

HWND create_group_box(const char* caption, HWND parent, int control_id, int x, int y, int width,
                      int height, DWORD style, DWORD ex_style);

// An icon static control that takes the size of its image: icon resource
// icon_id of the program's own module when not 0, else the named file
// (a relative name is looked up from the current directory), at its own
// size scaled to the window's DPI. A file that is damaged (cut short,
// sized past its end, nested too deep) is not handed to the system's
// loader: the control stays empty, as for a missing file. Width and
// height are accepted for symmetry with the other factories and not used.
// A missing image leaves the control empty and 0 by 0.
HWND create_icon(const char* image_file, HWND parent, int control_id, int x, int y, int width,
                 int height, int icon_id, DWORD style, DWORD ex_style);
// Places an icon control at x, y dialog units and loads its image again
// (checked as by create_icon), both at the window's DPI (after a DPI change); the previous image is
// destroyed.
void place_icon(HWND icon, const char* image_file, int x, int y, int icon_id);
