// The control factories and the menu on real windows in this process
// (another process cannot read a window's menus under Wine).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "about_controls.h"
#include "about_menu.h"
#include "about_state.h"
#include "about_test_support.h"
#include "about_window.h"

namespace {

SIZE size_of(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// Top-left corner in the parent's client area (the screen for a form).
POINT origin_of(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  POINT at = {r.left, r.top};
  if (GetParent(window) != nullptr) ScreenToClient(GetParent(window), &at);
  return at;
}

SIZE icon_size(HWND control) {
  ICONINFO info = {};
  if (!GetIconInfo(reinterpret_cast<HICON>(SendMessageA(control, STM_GETIMAGE, IMAGE_ICON, 0)),
                   &info)) {
    return SIZE{0, 0};
  }
  BITMAP mask = {};
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  // A monochrome icon stacks its two masks in one bitmap.
  return SIZE{mask.bmWidth, info.hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2};
}

class AboutControls : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { prepare_about_in_process(); }
  void SetUp() override {
    parent_ = CreateWindowExA(0, ABOUT_CLASS, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                              300, nullptr, nullptr, module_instance, nullptr);
  }
  void TearDown() override { DestroyWindow(parent_); }
  HWND parent_ = nullptr;
};

}  // namespace

TEST_F(AboutControls, NullWindowDialogUnitsMakeTheFormThreeHundredEighteenBy364) {
  EXPECT_EQ(unit_x, 2);
  EXPECT_EQ(unit_y, 2);
  HWND form = create_form("About Ombrel", 3, 4, 155, 170, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0);
  EXPECT_EQ(size_of(form).cx, 318);
  EXPECT_EQ(size_of(form).cy, 364);
  EXPECT_EQ(origin_of(form).x, 6);
  EXPECT_EQ(origin_of(form).y, 8);
  EXPECT_FALSE(GetWindowLongA(form, GWL_STYLE) & (WS_VISIBLE | WS_THICKFRAME));
  HWND plain = create_form("", 0, 0, 1, 1, 0, WS_EX_TOOLWINDOW);
  EXPECT_TRUE(GetWindowLongA(plain, GWL_STYLE) & WS_THICKFRAME) << "default overlapped style";
  EXPECT_TRUE(GetWindowLongA(plain, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  DestroyWindow(form);
  DestroyWindow(plain);
}

TEST_F(AboutControls, ZeroWidthButtonIsOneAndAHalfByOnePointThreeTwoItsCaptionTruncated) {
  EXPECT_EQ(auto_button_size(SIZE{41, 16}).cx, 61);
  EXPECT_EQ(auto_button_size(SIZE{41, 16}).cy, 21);
  EXPECT_EQ(auto_button_size(SIZE{3, 2}).cx, 4) << "4.5 is cut, not rounded";
  EXPECT_EQ(auto_button_size(SIZE{3, 2}).cy, 2) << "2.64 is cut, not rounded";
  bool odd_width_seen = false;
  for (const char* caption : {"OK", "Purchase now", "W", "Ombrel Rezizazuriro 3", "i"}) {
    HWND button = create_button(caption, parent_, 41, 5, 6, 0, 10, 0, 0);
    // Measured as a caller would: the button's context, default font.
    SIZE extent = {0, 0};
    HDC dc = GetDC(button);
    GetTextExtentPoint32A(dc, caption, static_cast<int>(std::strlen(caption)), &extent);
    ReleaseDC(button, dc);
    odd_width_seen |= extent.cx % 2 != 0;
    EXPECT_EQ(size_of(button).cx, extent.cx * 3 / 2) << caption;
    EXPECT_EQ(size_of(button).cy, extent.cy * 132 / 100) << caption;
    EXPECT_EQ(origin_of(button).x, 10);
    EXPECT_EQ(origin_of(button).y, 12);
  }
  EXPECT_TRUE(odd_width_seen) << "no caption exercised the truncation";

  HWND fixed = create_button("Go", parent_, 7, 1, 2, 30, 10, 0, BUTTON_EX_STATIC_EDGE);
  EXPECT_EQ(size_of(fixed).cx, 60);
  EXPECT_EQ(size_of(fixed).cy, 20);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(fixed, GWL_STYLE)) & 0xFFFF000F, 0x50010000u);
  EXPECT_TRUE(GetWindowLongA(fixed, GWL_EXSTYLE) & WS_EX_STATICEDGE);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(fixed, WM_GETFONT, 0, 0)),
            GetStockObject(DEFAULT_GUI_FONT));
}

TEST_F(AboutControls, GroupBoxIsPlacedAndSizedInDialogUnits) {
  HWND box = create_group_box("Options", parent_, 9, 4, 5, 50, 20, 0, 0);
  EXPECT_EQ(size_of(box).cx, 100);
  EXPECT_EQ(size_of(box).cy, 40);
  EXPECT_EQ(origin_of(box).x, 8);
  EXPECT_EQ(origin_of(box).y, 10);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(box, GWL_STYLE)) & 0xFFFF000F, 0x50000007u);
  EXPECT_EQ(GetDlgCtrlID(box), 9);
}

TEST_F(AboutControls, IconTakesTheSizeOfItsImageFromFileOrResource) {
  HWND from_file = create_icon("ombrel.ani", parent_, 0, 70, 70, 0, 0, 0, 0, 0);
  const SIZE picture = icon_size(from_file);
  EXPECT_GT(picture.cx, 0) << "ombrel.ani not loaded from the current directory";
  EXPECT_EQ(size_of(from_file).cx, picture.cx);
  EXPECT_EQ(size_of(from_file).cy, picture.cy);
  EXPECT_EQ(origin_of(from_file).x, 140);
  EXPECT_EQ(origin_of(from_file).y, 140);

  HWND from_resource = create_icon("unused", parent_, 0, 1, 1, 50, 50, PROGRAM_ICON_GROUP_ID, 0, 0);
  EXPECT_EQ(icon_size(from_resource).cx, 32) << "icon 12345 not loaded";
  EXPECT_EQ(size_of(from_resource).cx, 32) << "width and height are not used";
  EXPECT_EQ(size_of(from_resource).cy, 32);

  HWND missing = create_icon("no-such.ani", parent_, 0, 1, 1, 20, 20, 0, 0, 0);
  EXPECT_EQ(size_of(missing).cx, 0);
  EXPECT_EQ(size_of(missing).cy, 0);
}

TEST_F(AboutControls, MenuBarHoldsOnePopupWithItsSixEntries) {
  about_window = parent_;  // the menu goes onto about_window
  build_about_menu();
  HMENU bar = GetMenu(parent_);
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  char text[128] = {0};
  GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Menu");
  HMENU popup = GetSubMenu(bar, 0);
  const struct {
    UINT id;
    const char* text;  // null: a separator
  } entries[] = {{ABOUT_VERSION, "&Version..."},
                 {ABOUT_CREDITS, "&Credits"},
                 {0, nullptr},
                 {ABOUT_PURCHASE, ABOUT_PURCHASE_ENTRY},
                 {0, nullptr},
                 {ABOUT_EXIT, "E&xit"}};
  ASSERT_EQ(GetMenuItemCount(popup), 6);
  for (int i = 0; i < 6; ++i) {
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    item.dwTypeData = text;
    item.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &item));
    EXPECT_EQ(item.wID, entries[i].id) << "entry " << i + 1;
    EXPECT_EQ((item.fType & MFT_SEPARATOR) != 0, entries[i].text == nullptr) << "entry " << i + 1;
    if (entries[i].text != nullptr) {
      EXPECT_STREQ(text, entries[i].text);
      EXPECT_EQ(item.fState & (MFS_GRAYED | MFS_CHECKED), 0u) << "entry " << i + 1;
    }
  }
  about_window = nullptr;
}
