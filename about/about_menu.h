// The About window's menu bar: one pop-up, "&Menu", with the page, purchase
// and exit commands.
#pragma once

#include <windows.h>

#include "version.h"

constexpr WORD IDM_PURCHASE = 1001;
constexpr WORD IDM_EXIT = 1003;
constexpr WORD IDM_CREDITS = 1008;
constexpr WORD IDM_VERSION = 1016;

// The vendor's web-site name, as the purchase entry shows it, and the
// product page that the purchase command opens.
constexpr const char VENDOR_SITE_NAME[] = OMBREL_VENDOR_DOMAIN;
constexpr const char VENDOR_PRODUCT_PAGE[] = OMBREL_PRODUCT_PAGE;

// Creates the bar and its pop-up and attaches them to about_window.
void build_about_menu();
