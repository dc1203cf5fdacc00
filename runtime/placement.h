// Window-free arithmetic behind the placement, font and version utilities,
// kept apart so it can be checked without a window system.
#pragma once

struct int_rect {
  int left;
  int top;
  int right;
  int bottom;
};

struct int_point {
  int x;
  int y;
};

// Top-left corner that centres a window rectangle in an area (both in
// screen pixels). Integer halves truncate toward zero.
int_point centre_in_area(const int_rect& area, const int_rect& window);

// Top-left corner that centres a window on a screen whose origin is 0,0,
// with the caption height counted into the window's height whether or not
// the window has a caption.
int_point centre_on_screen_point(int screen_width, int screen_height, const int_rect& window,
                                 int caption_height);

// Character height for a font of the given point size: the negated
// truncated quotient points * pixels per inch / 72.
int point_font_height(int points, int pixels_per_inch);

// 1 when a waiting instance should un-flash after each flash: an NT-family
// platform (top bit of the version value clear) of major version 5 or more.
int flash_off_for_version(unsigned version);
