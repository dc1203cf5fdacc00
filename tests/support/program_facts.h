// What the programs must show and answer to, written out as plain values:
// the tests check the programs against this table, never against the
// programs' own constants, so a wrong constant in a program fails a test.
// Also what the programs' own resources measure and where their windows
// land on the bench's 1024 x 768 screen.
#pragma once

#include <cstddef>

// Window classes, each named after its program.
constexpr char LAPWICK_CLASS[] = "Lapwick";
constexpr char ABOUT_CLASS[] = "OmbrelAbout";
constexpr char SPLASH_CLASS[] = "OmbrelSplash";

// Class styles (CS_VREDRAW | CS_HREDRAW, and CS_OWNDC); class icon IDI_WINLOGO.
constexpr unsigned long ABOUT_CLASS_STYLES = 0x23, SPLASH_CLASS_STYLES = 0x3;
// Lapwick: its window, its two boxes and its commands, the same on the menu
// bar and on the system menu.
constexpr char LAPWICK_RESET_TITLE[] = "00:00:00";
constexpr unsigned long LAPWICK_STYLE = 0x90CA0080;  // popup, caption, system menu, minimise
constexpr int LAPWICK_WIDTH = 220;
constexpr int LAPWICK_HEIGHT = 50;
constexpr char LAPWICK_HELP_CAPTION[] = "Lapwick Help";
constexpr char LAPWICK_ABOUT_CAPTION[] = "Lapwick 1.6 by Ombrel Software";
constexpr int LAPWICK_RUN = 1;
constexpr int LAPWICK_PAUSE = 2;
constexpr int LAPWICK_RESET = 3;
constexpr int LAPWICK_HELP = 4;
constexpr int LAPWICK_ABOUT = 5;

// OmbrelAbout: the title it shows, its menu commands, the lines of its
// version page, the heading of its credits page and the page that the
// purchase entry opens.
constexpr char ABOUT_WINDOW_TITLE[] = "Ombrel Rezizazuriro 3";
constexpr int ABOUT_PURCHASE = 1001;
constexpr int ABOUT_EXIT = 1003;
constexpr int ABOUT_CREDITS = 1008;
constexpr int ABOUT_VERSION = 1016;
constexpr char ABOUT_PURCHASE_ENTRY[] = "&Purchase Ombrel at ombrel-software.example";
constexpr char ABOUT_PRODUCT_PAGE[] = "http://www.ombrel-software.example/rezizazuriro/";
constexpr char ABOUT_PRODUCT_LINE[] = "        Ombrel Rezizazuriro";  // line 3
constexpr char ABOUT_LABEL_LINE[] = "                  Version";      // line 5
constexpr char ABOUT_NUMBER_LINE[] = "                     3.1";      // line 9
constexpr char ABOUT_CREDITS_HEADING[] = "Thanks to";                 // line 2

// OmbrelSplash: its picture, whose size is the window's, and the command
// that ends it.
constexpr char SPLASH_BITMAP[] = "bmIMAGE";
// The same picture drawn for 150 % and 200 % displays.
constexpr char SPLASH_BITMAP_150[] = "bmIMAGE150";
constexpr char SPLASH_BITMAP_200[] = "bmIMAGE200";
constexpr int SPLASH_PICTURE_WIDTH = 186;
constexpr int SPLASH_PICTURE_HEIGHT = 159;
constexpr int SPLASH_END_COMMAND = 101;

// Resources: every program's icon group, and the sounds.
constexpr int PROGRAM_ICON_GROUP_ID = 12345;
constexpr int LAPWICK_CHIME_SOUND = 101;
constexpr int ABOUT_CLICK_SOUND = 101;
constexpr int ABOUT_CLOSING_SOUND = 102;

// Byte counts of the programs' own sound files, as built into them.
constexpr std::size_t LAPWICK_CHIME_BYTES = 1516;
constexpr std::size_t ABOUT_CLICK_BYTES = 4636;
constexpr std::size_t ABOUT_CLOSE_BYTES = 13426;
// The same sounds as played_sound_sizes reports them: the RIFF chunk size,
// the file's byte count less the 8 bytes of the RIFF header.
constexpr unsigned long LAPWICK_CHIME_RIFF_SIZE = LAPWICK_CHIME_BYTES - 8;
constexpr unsigned long ABOUT_CLICK_RIFF_SIZE = ABOUT_CLICK_BYTES - 8;
constexpr unsigned long ABOUT_CLOSE_RIFF_SIZE = ABOUT_CLOSE_BYTES - 8;

// Centred on the bench's screen: the splash popup (186 x 159) and
// Lapwick's window (220 x 50, caption and menu bar included). The height
// centred counts the system's caption height in once more, whether the
// window has a caption or not; that height is the system's own
// (SM_CYCAPTION: 19 under Wine 8, 26 under Wine 10), so the tops are read
// with it: 295 and 349 under Wine 8, 291 and 346 under Wine 10.
constexpr int SPLASH_SCREEN_LEFT = 419;
constexpr int LAPWICK_SCREEN_LEFT = 402;
constexpr int splash_screen_top(int caption_height) {
  return (768 - (SPLASH_PICTURE_HEIGHT + caption_height)) / 2;
}
// Lapwick's window is taller where the caption leaves its menu bar no room.
constexpr int lapwick_screen_top(int caption_height, int height = LAPWICK_HEIGHT) {
  return (768 - (height + caption_height)) / 2;
}
