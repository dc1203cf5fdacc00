#include "about_menu.h"

#include "about_state.h"
#include "string_functions.h"

void build_about_menu() {
  about_menu_bar = CreateMenu();
  about_menu_popup = CreateMenu();
  copy_text(purchase_entry, str_join(2, "&Purchase Ombrel at ", VENDOR_SITE_NAME));

  AppendMenuA(about_menu_popup, MF_STRING, IDM_VERSION, "&Version...");
  AppendMenuA(about_menu_popup, MF_STRING, IDM_CREDITS, "&Credits");
  AppendMenuA(about_menu_popup, MF_SEPARATOR, 0, "");
  AppendMenuA(about_menu_popup, MF_STRING, IDM_PURCHASE, purchase_entry);
  AppendMenuA(about_menu_popup, MF_SEPARATOR, 0, "");
  AppendMenuA(about_menu_popup, MF_STRING, IDM_EXIT, "E&xit");

  InsertMenuA(about_menu_bar, 0, MF_BYPOSITION | MF_POPUP,
              reinterpret_cast<UINT_PTR>(about_menu_popup), "&Menu");
  SetMenu(about_window, about_menu_bar);
}
