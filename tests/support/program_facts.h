// Facts that only the tests need: what the programs' own resources measure
// and where their windows land on the bench's 1024 x 768 screen. What the
// programs name themselves (ids, texts, styles, sizes) comes from their
// own headers.
#pragma once

#include <cstddef>

// Window classes, named after their programs (Lapwick's is
// STOPWATCH_CLASS_NAME in its own header).
constexpr char ABOUT_CLASS[] = "OmbrelAbout";
constexpr char SPLASH_CLASS[] = "OmbrelSplash";
// Every program's icon group, as the resource scripts number it.
constexpr int PROGRAM_ICON_GROUP_ID = 12345;

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
// Lapwick's window (220 x 50, caption and menu bar included).
constexpr int SPLASH_SCREEN_LEFT = 419;
constexpr int SPLASH_SCREEN_TOP = 295;
constexpr int LAPWICK_SCREEN_LEFT = 402;
constexpr int LAPWICK_SCREEN_TOP = 349;
