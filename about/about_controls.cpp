#include "about_controls.h"

#include <cstring>

#include "about_state.h"
#include "display_scale.h"
#include "fpu.h"
#include "picture_file.h"

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

// Whether a picture file can be handed to the system's loader: a damaged
// one counts as unreadable, as a missing one does.
bool picture_file_is_readable(const char* name) {
  HANDLE file =
      CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const DWORD size = GetFileSize(file, nullptr);
  HANDLE mapping = size == 0 || size == INVALID_FILE_SIZE
                       ? nullptr
                       : CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  const void* view = mapping != nullptr ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
  bool whole = false;
  if (view != nullptr) {
    whole = picture_file_is_whole(static_cast<const unsigned char*>(view), size);
    UnmapViewOfFile(view);
  }
  if (mapping != nullptr) CloseHandle(mapping);
  CloseHandle(file);
  return whole;
}

// Width and height of an icon's image (an animated cursor's first frame);
// 0 by 0 for none.
SIZE image_size(HANDLE image) {
  ICONINFO info = {};
  if (image == nullptr || !GetIconInfo(static_cast<HICON>(image), &info)) return SIZE{0, 0};
  BITMAP mask = {};
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  // A monochrome image stacks its two masks in one bitmap.
  return SIZE{mask.bmWidth, info.hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2};
}

// An icon or cursor as the system gives it when asked for no size: at its
// own size, that of the first image of each frame. That is the size at 96
// DPI; at other scales it is loaded again at that size scaled, and the
// system takes the image drawn nearest it (Windows stretches it to the
// size; Wine 8 leaves an animated cursor's frames at their own size).
HANDLE load_image_at_own_size(HINSTANCE module, const char* name, UINT flags) {
  HANDLE image = LoadImageA(module, name, IMAGE_ICON, 0, 0, flags);
  const SIZE own = image_size(image);
  const SIZE wanted = {scaled(own.cx), scaled(own.cy)};
  if (wanted.cx == own.cx && wanted.cy == own.cy) return image;
  DestroyIcon(static_cast<HICON>(image));
  return LoadImageA(module, name, IMAGE_ICON, wanted.cx, wanted.cy, flags);
}

// A form's outer size, its margin for frame, caption and menu bar included.
SIZE form_size(int width, int height) {
  return SIZE{pixels_x(width + FORM_EXTRA_WIDTH), pixels_y(height + FORM_EXTRA_HEIGHT)};
}

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
  const SIZE made = form_size(width, height);
  HWND form = CreateWindowExA(ex_style, about_class_name, caption, style, pixels_x(x), pixels_y(y),
                              made.cx, made.cy, nullptr, nullptr, module_instance, nullptr);
  // Made at the DPI read last; everything inside it follows the form's own.
  const int made_at = window_dpi();
  if (form != nullptr && read_window_dpi(form) != made_at) {
    const SIZE size = form_size(width, height);
    SetWindowPos(form, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
  HANDLE image = nullptr;
  if (icon_id != 0) {
    image = load_image_at_own_size(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(LOWORD(icon_id)),
                                   LR_CREATEDIBSECTION);
  } else if (picture_file_is_readable(image_file)) {
    image = load_image_at_own_size(nullptr, image_file, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  }
  // Set even when loading failed: the control then stays empty.
  HANDLE previous = reinterpret_cast<HANDLE>(
      SendMessageA(icon, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(image)));
  if (previous != nullptr) DestroyIcon(static_cast<HICON>(previous));
}
