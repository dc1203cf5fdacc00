// The About window's menu, read in-process (another process cannot read a
// window's menus under Wine): one pop-up "&Menu" with its six entries.
#include <gtest/gtest.h>

#include <string>

#include "about_in_process.h"
#include "about_menu.h"
#include "about_state.h"

namespace {

struct entry {
  UINT type;
  UINT state;
  UINT id;
  std::string text;
};

entry read_entry(HMENU menu, int position) {
  char text[256] = {0};
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = sizeof text;
  EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) << position;
  return entry{info.fType, info.fState, info.wID, text};
}

}  // namespace

TEST(AboutMenu, BarHoldsOnePopupWithTheSixEntriesInOrder) {
  HWND window = about_window_in_process();
  ASSERT_NE(window, nullptr);
  HMENU bar = GetMenu(window);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar, about_menu_bar);
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  char label[64] = {0};
  GetMenuStringA(bar, 0, label, sizeof label, MF_BYPOSITION);
  EXPECT_STREQ(label, "&Menu");
  HMENU popup = GetSubMenu(bar, 0);
  ASSERT_NE(popup, nullptr);

  const struct {
    bool separator;
    UINT id;
    const char* text;
  } expected[] = {
      {false, 1016, "&Version..."},
      {false, 1008, "&Credits"},
      {true, 0, ""},
      {false, 1001, "&Purchase Ombrel at ombrel-software.example"},
      {true, 0, ""},
      {false, 1003, "E&xit"},
  };
  ASSERT_EQ(GetMenuItemCount(popup), 6);
  for (int i = 0; i < 6; ++i) {
    const entry e = read_entry(popup, i);
    if (expected[i].separator) {
      EXPECT_TRUE(e.type & MFT_SEPARATOR) << "position " << i + 1;
    } else {
      EXPECT_EQ(e.type, static_cast<UINT>(MFT_STRING)) << "position " << i + 1;
      EXPECT_EQ(e.text, expected[i].text) << "position " << i + 1;
      EXPECT_EQ(e.state & (MFS_DISABLED | MFS_GRAYED | MFS_CHECKED), 0u) << "position " << i + 1;
    }
    EXPECT_EQ(e.id, expected[i].id) << "position " << i + 1;
  }
}

TEST(AboutMenu, PurchaseEntryNamesTheSiteOfTheOpenedPage) {
  // The page the command opens lies on the site that the entry names.
  const std::string page = VENDOR_PRODUCT_PAGE;
  EXPECT_EQ(page.rfind("http://", 0), 0u);
  EXPECT_NE(page.find(std::string(".") + VENDOR_SITE_NAME + "/"), std::string::npos);
  EXPECT_NE(std::string(VENDOR_SITE_NAME).find(".example"), std::string::npos);
}
