#include "about_controls.h"

#include <cstring>

#include "about_state.h"
#include "display_scale.h"
#include "fpu.h"

namespace {

HMENU control_menu(int control_id) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id));
}

void set_gui_font(HWND window) {
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
}

// Dialog units to pixels at the window's DPI.
int pixels_x(int units) { return scaled(units * unit_x); }
int pixels_y(int units) { return scaled(units * unit_y); }

// A child control placed and sized in dialog units, in the GUI font.
HWND create_child_control(DWORD ex_style, const char* window_class, const char* caption,
                          DWORD style, HWND parent, int control_id, int x, int y, int width,
                          int height) {
  HWND control = CreateWindowExA(ex_style, window_class, caption, style, pixels_x(x), pixels_y(y),
                                 pixels_x(width), pixels_y(height), parent,
                                 control_menu(control_id), module_instance, nullptr);
  set_gui_font(control);
  return control;
}

}  // namespace

void compute_dialog_units() {
  RECT box = {0, 0, 4, 8};
  MapDialogRect(nullptr, &box);
  unit_x = box.right / 2;
  unit_y = box.bottom / 4;
}

SIZE auto_button_size(SIZE caption_extent) {
  const double cx = caption_extent.cx;
  const double cy = caption_extent.cy;
  SIZE size;
  size.cx = float_to_int(cx + 0.5 * cx);
  size.cy = float_to_int(0.32 * cy + cy);
  return size;
}

HWND create_form(const char* caption, int x, int y, int width, int height, DWORD style,
                 DWORD ex_style) {
  if (style == 0) style = FORM_DEFAULT_STYLE;
  HWND form =
      CreateWindowExA(ex_style, about_class_name, caption, style, pixels_x(x), pixels_y(y),
                      pixels_x(width + FORM_EXTRA_WIDTH), pixels_y(height + FORM_EXTRA_HEIGHT),
                      nullptr, nullptr, module_instance, nullptr);
  // Made at the DPI read last; everything inside it follows the form's own.
  const int made_at = window_dpi;
  if (form != nullptr && read_window_dpi(form) != made_at) {
    SetWindowPos(form, nullptr, 0, 0, pixels_x(width + FORM_EXTRA_WIDTH),
                 pixels_y(height + FORM_EXTRA_HEIGHT), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  set_gui_font(form);
  return form;
}

HWND create_button(const char* caption, HWND parent, int control_id, int x, int y, int width,
                   int height, DWORD style, LONG ex_style) {
  if (style == 0) style = BUTTON_DEFAULT_STYLE;
  const DWORD extended =
      ex_style == BUTTON_EX_STATIC_EDGE ? WS_EX_STATICEDGE : static_cast<DWORD>(ex_style);
  HWND button = create_child_control(extended, "button", caption, style, parent, control_id, x, y,
                                     width, height);
  if (width != 0) return button;

  // Measured in the context's default font, not the GUI font just set: the
  // button ends up a little roomier than its caption needs.
  SIZE extent = {0, 0};
  HDC dc = GetDC(button);
  GetTextExtentPoint32A(dc, caption, static_cast<int>(std::strlen(caption)), &extent);
  ReleaseDC(button, dc);
  const SIZE size = auto_button_size(extent);
  MoveWindow(button, pixels_x(x), pixels_y(y), size.cx, size.cy, TRUE);
  return button;
}

HWND create_group_box(const char* caption, HWND parent, int control_id, int x, int y, int width,
                      int height, DWORD style, DWORD ex_style) {
  if (style == 0) style = GROUP_BOX_DEFAULT_STYLE;
  return create_child_control(ex_style, "button", caption, style, parent, control_id, x, y, width,
                              height);
}

HWND create_icon(const char* image_file, HWND parent, int control_id, int x, int y, int /*width*/,
                 int /*height*/, int icon_id, DWORD style, DWORD ex_style) {
  if (style == 0) style = ICON_DEFAULT_STYLE;
  // Created 0 by 0: STM_SETIMAGE gives the control the size of its image.
  HWND icon = CreateWindowExA(ex_style, "static", nullptr, style, 0, 0, 0, 0, parent,
                              control_menu(control_id), module_instance, nullptr);
  place_icon(icon, image_file, x, y, icon_id);
  return icon;
}

void place_icon(HWND icon, const char* image_file, int x, int y, int icon_id) {
  SetWindowPos(icon, nullptr, pixels_x(x), pixels_y(y), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The image the system has for this size (a larger one scaled down where
  // it has no image of exactly this size).
  const int size = scaled(ICON_IMAGE_SIZE);
  HANDLE image = nullptr;
  if (icon_id != 0) {
    image = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(LOWORD(icon_id)), IMAGE_ICON,
                       size, size, LR_CREATEDIBSECTION);
  } else {
    image = LoadImageA(nullptr, image_file, IMAGE_ICON, size, size,
                       LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  }
  // Set even when loading failed: the control then stays empty.
  HANDLE previous = reinterpret_cast<HANDLE>(
      SendMessageA(icon, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(image)));
  if (previous != nullptr) DestroyIcon(static_cast<HICON>(previous));
}
