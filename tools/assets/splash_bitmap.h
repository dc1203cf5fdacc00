// splash.bmp: the splash picture, 186 x 159, 8 bits per pixel, and its
// larger renderings for other display scales.
#pragma once

#include "little_endian.h"

byte_buffer make_splash_bitmap();
// The same picture for 150 % (144 DPI, 279 x 239) and 200 % (192 DPI,
// 372 x 318) displays, drawn at that resolution.
byte_buffer make_splash_bitmap_150();
byte_buffer make_splash_bitmap_200();
byte_buffer make_splash_bitmap_at(int dpi);
// A size at 96 DPI at another DPI, rounded as the programs round it.
int scaled_size(int pixels, int dpi);
