// The splash picture's pixel font: only the letters its two lines of text
// use. 7 rows per glyph, cap height 7, x-height 5; '#' is a set pixel.
#pragma once

constexpr int kGlyphRows = 7;

struct glyph {
  char ch;
  int width;
  const char* rows[kGlyphRows];
};

// The glyph for ch; a space for a character the font lacks.
const glyph& find_glyph(char ch);

// Whether the pixel at (column, row) is set; false outside the glyph, so
// callers can probe neighbours freely.
bool glyph_set(const glyph& g, int column, int row);
