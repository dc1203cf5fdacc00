// Lapwick's Help and About message boxes. Their lines break with a lone
// carriage return, never a line feed. While a box is open the stopwatch
// window is hidden; the box's modal loop keeps dispatching the timer, so a
// running stopwatch goes on counting behind it.
#pragma once

#include "version.h"

constexpr char HELP_CAPTION[] = "Lapwick Help";
// "Lapwick 1.6 by Ombrel Software"
constexpr char ABOUT_CAPTION[] = "Lapwick " LAPWICK_VERSION_TEXT " by " OMBREL_COMPANY_NAME;

// Each builds its body in box_text (stopwatch_state.h).
void build_help_text();
void build_about_text();

// Hide the stopwatch, show the box (no owner, OK only), show it again.
// Neither touches the run state, the timer or the chime.
void show_help_box();
void show_about_box();
