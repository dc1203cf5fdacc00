// Icon and cursor files: one 32 x 32 device-independent bitmap each, with
// the AND mask that marks the transparent pixels. A pixel counts as opaque
// where the drawing covers at least half of it.
#pragma once

#include <cstdint>
#include <vector>

#include "little_endian.h"
#include "raster.h"

constexpr int kIconSize = 32;

// The image part of an icon or cursor (header, colours, mask) from a
// kIconSize x kIconSize picture, in 24 bits per pixel ...
byte_buffer icon_dib_24(const picture& p);
// ... in 32 bits with straight alpha from the coverage (the mask remains
// for systems that ignore the alpha) ...
byte_buffer icon_dib_32(const picture& p);
// ... or in 16 colours from a fixed palette, nearest entry per pixel, with
// entry 0 (black) under the transparent pixels.
byte_buffer icon_dib_4(const picture& p, const std::vector<std::uint32_t>& palette);

// A one-image .ico file; colours is the palette size, 0 for 256 or more.
byte_buffer ico_file(const byte_buffer& dib, unsigned bits, unsigned colours);
// A one-image .cur file with its hot spot.
byte_buffer cur_file(const byte_buffer& dib, unsigned hot_x, unsigned hot_y);
