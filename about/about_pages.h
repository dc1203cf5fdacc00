// The About window's text pages: up to 14 lines drawn straight onto the
// window through about_dc, faded in from black or typed out letter by
// letter with a click per letter.
#pragma once

#include <windows.h>

#include "about_state.h"
#include "resource_ids.h"

// Line n has the top-left corner of its first cell at (60, 20 + 18 n),
// in client pixels at 96 DPI; each of the three is scaled to the window's
// DPI. The pitch does not follow the font.
constexpr int PAGE_LEFT = 60;
constexpr int PAGE_TOP = 20;
constexpr int PAGE_LINE_PITCH = 18;
// Fades run through grey 5, 10, ... 255: 51 steps.
constexpr int FADE_STEP = 5;
constexpr int FADE_LAST_LEVEL = 255;
constexpr int FADE_STEPS = FADE_LAST_LEVEL / FADE_STEP;
// Pause after every fade and typing step: step n of a run is due n - 1
// pauses after its start (page_pace.h).
constexpr DWORD STEP_PAUSE_MS = 5;
// Raw-data WAV resources of the program's own module.
constexpr WORD CLICK_SOUND_ID = ABOUT_CLICK_SOUND_ID;
constexpr WORD CLOSING_SOUND_ID = ABOUT_CLOSING_SOUND_ID;
// type_line clicks only when its click flag is exactly this value.
constexpr int TYPE_WITH_CLICKS = 1;

// The colour with all three channels at level (0 to 255).
COLORREF grey(int level);

// Draws line n in about_dc's current text colour over a black cell
// background: drawing a line in black erases exactly what it drew before.
void draw_line(int line);

// Draws the page again as it last stood on the screen, on dc (the window's
// paint context): every line that is not erased, in the colour it was last
// drawn in. Leaves dc's text colour as it was.
void redraw_page(HDC dc);

// Erases all lines at once (pause 0) or fades them out, pausing that many
// milliseconds between steps.
void clear_page(int pause_ms);
// Fades one line in from near-black to white; an empty line still takes
// its 51 pauses.
void fade_in_line(int line);
// Fades all lines in together, or with pause 0 draws them at once in white.
void fade_in_page(int pause_ms);
// Types line n out one character at a time, clicking after each when click
// is TYPE_WITH_CLICKS, then plays the closing sound (also for an empty line).
void type_line(int line, int click);
// Empties lines first to last inclusive; nothing when first > last.
void empty_lines(int first, int last);

// The version page, three faded lines beside the picture, which is shown
// only after the last line has faded in.
void show_version_page();
// The credits page: picture hidden, heading typed with clicks, then the
// names faded in one after another.
void show_credits_page();
