// The About program's control factories on real windows in this process:
// dialog units, the form, the auto-sized push button, the group box and the
// icon control that takes the size of its image.
#include <gtest/gtest.h>

#include <cstring>

#include "about_controls.h"
#include "about_in_process.h"
#include "about_state.h"

namespace {

SIZE window_size(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// Top-left corner of a child in its parent's client coordinates.
POINT child_origin(HWND child) {
  RECT r = {};
  GetWindowRect(child, &r);
  POINT origin = {r.left, r.top};
  ScreenToClient(GetParent(child), &origin);
  return origin;
}

// Caption extent measured the way a caller would: in the button's own
// drawing context, whose default font is not the control's GUI font.
SIZE measured_caption(HWND button, const char* caption) {
  SIZE extent = {0, 0};
  HDC dc = GetDC(button);
  GetTextExtentPoint32A(dc, caption, static_cast<int>(std::strlen(caption)), &extent);
  ReleaseDC(button, dc);
  return extent;
}

// Width and height of an icon's image as the system loaded it.
SIZE icon_image_size(HICON icon) {
  ICONINFO info = {};
  if (!GetIconInfo(icon, &info)) return SIZE{0, 0};
  BITMAP mask = {};
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  SIZE size = {mask.bmWidth, mask.bmHeight};
  if (info.hbmColor != nullptr) {
    DeleteObject(info.hbmColor);
  } else {
    size.cy /= 2;  // a monochrome icon stacks its AND and XOR masks
  }
  DeleteObject(info.hbmMask);
  return size;
}

HICON icon_of(HWND control) {
  return reinterpret_cast<HICON>(SendMessageA(control, STM_GETIMAGE, IMAGE_ICON, 0));
}

class AboutControls : public ::testing::Test {
 protected:
  void SetUp() override {
    prepare_about_program();
    parent_ = make_test_parent();
    ASSERT_NE(parent_, nullptr);
  }
  void TearDown() override { DestroyWindow(parent_); }
  HWND parent_ = nullptr;
};

}  // namespace

TEST(AboutDialogUnits, NullWindowLeavesRectSoBothFactorsAreTwo) {
  unit_x = 0;
  unit_y = 0;
  compute_dialog_units();
  EXPECT_EQ(unit_x, 2);
  EXPECT_EQ(unit_y, 2);
}

TEST(AboutButtonArithmetic, OneAndAHalfWideAndOnePointThreeTwoTallTruncated) {
  const struct {
    SIZE extent;
    SIZE button;
  } cases[] = {
      {{41, 16}, {61, 21}},  // 61.5 and 21.12 both cut down
      {{40, 25}, {60, 33}},  // exact products stay as they are
      {{1, 1}, {1, 1}},
      {{0, 0}, {0, 0}},
      {{333, 99}, {499, 130}},
  };
  for (const auto& c : cases) {
    const SIZE size = auto_button_size(c.extent);
    EXPECT_EQ(size.cx, c.button.cx) << "caption " << c.extent.cx << "x" << c.extent.cy;
    EXPECT_EQ(size.cy, c.button.cy) << "caption " << c.extent.cx << "x" << c.extent.cy;
  }
}

TEST_F(AboutControls, FormIsTheProgramClassPlusFrameMarginInDialogUnits) {
  HWND form = create_form("About Ombrel", 3, 4, 155, 170, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0);
  ASSERT_NE(form, nullptr);
  char name[64] = {0};
  GetClassNameA(form, name, sizeof name);
  EXPECT_STREQ(name, "OmbrelAbout");
  const SIZE size = window_size(form);
  EXPECT_EQ(size.cx, 318);
  EXPECT_EQ(size.cy, 364);
  RECT r = {};
  GetWindowRect(form, &r);
  EXPECT_EQ(r.left, 6);
  EXPECT_EQ(r.top, 8);
  const LONG style = GetWindowLongA(form, GWL_STYLE);
  EXPECT_FALSE(style & WS_VISIBLE) << "created hidden";
  EXPECT_FALSE(style & WS_THICKFRAME);
  DestroyWindow(form);

  HWND plain = create_form("x", 0, 0, 10, 10, 0, WS_EX_TOOLWINDOW);
  const LONG plain_style = GetWindowLongA(plain, GWL_STYLE);
  EXPECT_EQ(plain_style & (WS_POPUP | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
            static_cast<LONG>(WS_POPUP | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(GetWindowLongA(plain, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  DestroyWindow(plain);
}

TEST_F(AboutControls, ZeroWidthButtonSizesItselfToItsCaption) {
  // Several captions, so that odd widths and heights not divisible by 25
  // exercise the truncation as well as exact products.
  const char* captions[] = {"OK", "Purchase now", "W", "Ombrel Rezizazuriro 3", "i"};
  bool truncated_width = false;
  for (const char* caption : captions) {
    HWND button = create_button(caption, parent_, 41, 5, 6, 0, 10, 0, 0);
    ASSERT_NE(button, nullptr) << caption;
    const SIZE extent = measured_caption(button, caption);
    ASSERT_GT(extent.cx, 0) << caption;
    const SIZE size = window_size(button);
    EXPECT_EQ(size.cx, (3 * extent.cx) / 2) << caption;
    EXPECT_EQ(size.cy, (132 * extent.cy) / 100) << caption;
    if (extent.cx % 2 != 0) truncated_width = true;
    const POINT at = child_origin(button);
    EXPECT_EQ(at.x, 10) << caption;
    EXPECT_EQ(at.y, 12) << caption;
    EXPECT_EQ(GetDlgCtrlID(button), 41);
    DestroyWindow(button);
  }
  EXPECT_TRUE(truncated_width) << "no caption had an odd width; the cut was never tested";
}

TEST_F(AboutControls, ButtonWithWidthKeepsItsSizeStyleAndFont) {
  HWND button = create_button("Go", parent_, 7, 1, 2, 30, 10, 0, BUTTON_EX_STATIC_EDGE);
  ASSERT_NE(button, nullptr);
  const SIZE size = window_size(button);
  EXPECT_EQ(size.cx, 60);
  EXPECT_EQ(size.cy, 20);
  const POINT at = child_origin(button);
  EXPECT_EQ(at.x, 2);
  EXPECT_EQ(at.y, 4);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(button, GWL_STYLE)) & 0xFFFF000F,
            static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON));
  EXPECT_TRUE(GetWindowLongA(button, GWL_EXSTYLE) & WS_EX_STATICEDGE);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(button, WM_GETFONT, 0, 0)),
            GetStockObject(DEFAULT_GUI_FONT));

  HWND edged = create_button("Go", parent_, 8, 0, 0, 30, 10, WS_CHILD | BS_CHECKBOX,
                             WS_EX_CLIENTEDGE);
  EXPECT_TRUE(GetWindowLongA(edged, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(GetWindowLongA(edged, GWL_EXSTYLE) & WS_EX_STATICEDGE);
  EXPECT_EQ(GetWindowLongA(edged, GWL_STYLE) & 0xF, BS_CHECKBOX);
  EXPECT_FALSE(GetWindowLongA(edged, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(AboutControls, GroupBoxIsPlacedAndSizedInDialogUnits) {
  HWND box = create_group_box("Options", parent_, 9, 4, 5, 50, 20, 0, 0);
  ASSERT_NE(box, nullptr);
  char name[32] = {0};
  GetClassNameA(box, name, sizeof name);
  EXPECT_STRCASEEQ(name, "Button");
  const SIZE size = window_size(box);
  EXPECT_EQ(size.cx, 100);
  EXPECT_EQ(size.cy, 40);
  const POINT at = child_origin(box);
  EXPECT_EQ(at.x, 8);
  EXPECT_EQ(at.y, 10);
  EXPECT_EQ(GetWindowLongA(box, GWL_STYLE) & 0xF, BS_GROUPBOX);
  EXPECT_TRUE(GetWindowLongA(box, GWL_STYLE) & WS_VISIBLE);
  char text[32] = {0};
  GetWindowTextA(box, text, sizeof text);
  EXPECT_STREQ(text, "Options");
  EXPECT_EQ(GetDlgCtrlID(box), 9);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0)),
            GetStockObject(DEFAULT_GUI_FONT));
}

TEST_F(AboutControls, IconFromFileTakesTheSizeOfItsImage) {
  HWND icon = create_icon("ombrel.ani", parent_, 3, 70, 70, 0, 0, 0, 0, 0);
  ASSERT_NE(icon, nullptr);
  const HICON image = icon_of(icon);
  ASSERT_NE(image, nullptr) << "ombrel.ani was not loaded from the current directory";
  const SIZE expected = icon_image_size(image);
  EXPECT_GT(expected.cx, 0);
  const SIZE size = window_size(icon);
  EXPECT_EQ(size.cx, expected.cx);
  EXPECT_EQ(size.cy, expected.cy);
  const POINT at = child_origin(icon);
  EXPECT_EQ(at.x, 140);
  EXPECT_EQ(at.y, 140);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(icon, GWL_STYLE)) & 0xFFFF001F,
            static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_TABSTOP | SS_ICON));
  EXPECT_EQ(GetWindowTextLengthA(icon), 0);
}

TEST_F(AboutControls, IconFromResourceIgnoresGivenWidthAndHeight) {
  HWND icon = create_icon("ignored.ani", parent_, 4, 1, 1, 50, 50, 12345, 0, 0);
  ASSERT_NE(icon, nullptr);
  const HICON image = icon_of(icon);
  ASSERT_NE(image, nullptr) << "icon 12345 was not loaded from the program's module";
  const SIZE expected = icon_image_size(image);
  EXPECT_EQ(expected.cx, 32);
  EXPECT_EQ(expected.cy, 32);
  const SIZE size = window_size(icon);
  EXPECT_EQ(size.cx, 32);
  EXPECT_EQ(size.cy, 32);
}

TEST_F(AboutControls, MissingImageLeavesAnEmptyZeroSizedControl) {
  HWND from_file = create_icon("no-such-picture.ani", parent_, 5, 1, 1, 20, 20, 0, 0, 0);
  ASSERT_NE(from_file, nullptr);
  EXPECT_EQ(icon_of(from_file), nullptr);
  SIZE size = window_size(from_file);
  EXPECT_EQ(size.cx, 0);
  EXPECT_EQ(size.cy, 0);

  HWND from_resource = create_icon("", parent_, 6, 1, 1, 20, 20, 4242, 0, 0);
  ASSERT_NE(from_resource, nullptr);
  EXPECT_EQ(icon_of(from_resource), nullptr);
  size = window_size(from_resource);
  EXPECT_EQ(size.cx, 0);
  EXPECT_EQ(size.cy, 0);
}
