// The texts of the About pages.
#pragma once

#include "version.h"

// Version page lines 3, 5 and 9; the blanks centre them beside the picture.
// Product name and version come from version.h: "Ombrel Rezizazuriro", "3.1".
constexpr const char VERSION_PRODUCT_LINE[] = "        " OMBREL_PRODUCT_NAME;
constexpr const char VERSION_LABEL_LINE[] = "                  Version";
constexpr const char VERSION_NUMBER_LINE[] = "                     " OMBREL_VERSION_TEXT;
constexpr int VERSION_PRODUCT_ROW = 3;
constexpr int VERSION_LABEL_ROW = 5;
constexpr int VERSION_NUMBER_ROW = 9;
// The version page empties lines 0 to 12 only: line 13 keeps what it held,
// which is never drawn in white on this page.
constexpr int VERSION_LAST_ROW = 12;

// Credits page: the heading that is typed out, and the rows it uses.
constexpr const char CREDITS_HEADING[] = "Thanks to";
constexpr int CREDITS_HEADING_ROW = 2;
constexpr int CREDITS_LAST_ROW = 13;

// Loads the credits texts into all page lines: two empty lines, the
// heading, an empty line, then nine names stepping two blanks further right
// on each line and a tenth introduced by "and".
void fill_credits();
