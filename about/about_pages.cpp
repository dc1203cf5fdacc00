#include "about_pages.h"

#include <cstring>

#include "about_page_texts.h"
#include "display_scale.h"
#include "page_clock.h"
#include "page_pace.h"
#include "sound.h"
#include "string_functions.h"

namespace {

constexpr COLORREF BLACK = 0x000000;
constexpr COLORREF WHITE = 0xFFFFFF;

void play_sound(WORD resource_id) {
  // A null module selects the program's own; missing sounds are skipped.
  play_wav_resource(nullptr, MAKEINTRESOURCEA(resource_id));
}

void text_out(HDC dc, int line) {
  TextOutA(dc, scaled(PAGE_LEFT), scaled(PAGE_TOP) + scaled(PAGE_LINE_PITCH) * line,
           page_lines[line], static_cast<int>(std::strlen(page_lines[line])));
}

void draw_all_lines() {
  for (int line = 0; line < PAGE_LINE_COUNT; ++line) draw_line(line);
}

// Runs the fade's steps against the clock: step n (1 to 51) draws with
// the colour colour_of(n) and lines first to last, its pause pause_ms.
void fade(COLORREF (*colour_of)(int step), int first, int last, DWORD pause_ms) {
  const step_pace pace = start_pace(pause_ms);
  for (int step = 1; step <= FADE_STEPS; ++step) {
    // Levels that fell between two ticks are skipped; the last is drawn
    // always.
    step = step_due(pace, step, FADE_STEPS);
    SetTextColor(about_dc, colour_of(step));
    for (int line = first; line <= last; ++line) draw_line(line);
    // Paints any part the system invalidated meanwhile, from the page as
    // it stands.
    UpdateWindow(about_window);
    wait_step_end(pace, step);
  }
}

COLORREF rising(int step) { return grey(step * FADE_STEP); }
COLORREF falling(int step) { return grey(FADE_LAST_LEVEL - step * FADE_STEP); }

}  // namespace

COLORREF grey(int level) { return RGB(level, level, level); }

void draw_line(int line) {
  line_colours[line] = GetTextColor(about_dc);
  text_out(about_dc, line);
}

void redraw_page(HDC dc) {
  const COLORREF drawing_colour = GetTextColor(dc);
  for (int line = 0; line < PAGE_LINE_COUNT; ++line) {
    // An erased line is black on black: nothing to put back, and its cells
    // would cover the picture.
    if (line_colours[line] == BLACK) continue;
    SetTextColor(dc, line_colours[line]);
    text_out(dc, line);
  }
  SetTextColor(dc, drawing_colour);
}

void clear_page(int pause_ms) {
  if (pause_ms <= 0) {
    // No update and no pause: the next page starts drawing at once.
    SetTextColor(about_dc, BLACK);
    draw_all_lines();
    return;
  }
  fade(falling, 0, PAGE_LINE_COUNT - 1, static_cast<DWORD>(pause_ms));
}

void fade_in_line(int line) { fade(rising, line, line, STEP_PAUSE_MS); }

void fade_in_page(int pause_ms) {
  if (pause_ms <= 0) {
    SetTextColor(about_dc, WHITE);
    for (int line = 0; line < PAGE_LINE_COUNT; ++line) {
      draw_line(line);
      UpdateWindow(about_window);
    }
    return;
  }
  fade(rising, 0, PAGE_LINE_COUNT - 1, static_cast<DWORD>(pause_ms));
}

void type_line(int line, int click) {
  std::memset(typing_copy, 0, sizeof typing_copy);
  copy_text(typing_copy, page_lines[line]);
  const int length = static_cast<int>(std::strlen(typing_copy));
  SetTextColor(about_dc, WHITE);
  const bool clicks = click == TYPE_WITH_CLICKS;
  step_pace pace = start_pace(STEP_PAUSE_MS);
  for (int shown = 1; shown <= length; ++shown) {
    // Silent, the letters that fell between two ticks come together; each
    // click belongs to its own letter.
    if (!clicks) shown = step_due(pace, shown, length);
    // Each step draws the longer text over the shorter one in place.
    copy_text(page_lines[line], str_left(typing_copy, shown));
    draw_line(line);
    UpdateWindow(about_window);
    wait_step_end(pace, shown);
    if (clicks) {
      // Played synchronously: the click's length sets the typing pace, and
      // the next letter's pause counts from its end.
      const ULONGLONG click_began = page_clock.microseconds();
      play_sound(CLICK_SOUND_ID);
      pace_after(pace, click_began);
    }
  }
  play_sound(CLOSING_SOUND_ID);
}

void empty_lines(int first, int last) {
  for (int line = first; line <= last; ++line) page_lines[line][0] = 0;
}

void show_version_page() {
  // Clears while page_lines still hold what is on the screen.
  clear_page(0);
  empty_lines(0, VERSION_LAST_ROW);
  copy_text(page_lines[VERSION_PRODUCT_ROW], VERSION_PRODUCT_LINE);
  copy_text(page_lines[VERSION_LABEL_ROW], VERSION_LABEL_LINE);
  copy_text(page_lines[VERSION_NUMBER_ROW], VERSION_NUMBER_LINE);
  fade_in_line(VERSION_PRODUCT_ROW);
  fade_in_line(VERSION_LABEL_ROW);
  fade_in_line(VERSION_NUMBER_ROW);
  ShowWindow(picture_control, SW_SHOW);
  UpdateWindow(about_window);
}

void show_credits_page() {
  clear_page(0);
  ShowWindow(picture_control, SW_HIDE);
  fill_credits();
  type_line(CREDITS_HEADING_ROW, TYPE_WITH_CLICKS);
  // Row 3 is empty: its fade is a silent pause before the first name.
  for (int line = CREDITS_HEADING_ROW + 1; line <= CREDITS_LAST_ROW; ++line) fade_in_line(line);
}
