#include "placement.h"

int_point centre_in_area(const int_rect& area, const int_rect& window) {
  const int area_width = area.right - area.left;
  const int area_height = area.bottom - area.top;
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  return {area.left + (area_width - width) / 2, area.top + (area_height - height) / 2};
}

int_point centre_on_screen_point(int screen_width, int screen_height, const int_rect& window,
                                 int caption_height) {
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  return {(screen_width - width) / 2, (screen_height - (height + caption_height)) / 2};
}

int point_font_height(int points, int pixels_per_inch) {
  return -((points * pixels_per_inch) / 72);
}

int flash_off_for_version(unsigned version) {
  const bool nt_family = (version & 0x80000000u) == 0;
  const unsigned major = version & 0xFFu;
  return nt_family && major >= 5 ? 1 : 0;
}
