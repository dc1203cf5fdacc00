// Icon and cursor files: square device-independent bitmaps, one for each
// size the file holds (32 x 32 for 96 DPI, larger ones for larger display
// scales), each with the AND mask that marks the transparent pixels. A
// pixel counts as opaque where the drawing covers at least half of it.
#pragma once

#include <cstdint>
#include <vector>

#include "little_endian.h"
#include "raster.h"

constexpr int kIconSize = 32;
// The sizes the program icons are drawn at: the small icon (16, caption and
// taskbar) and the large one (32) at 100 %, 125 %, 150 % and 200 %, and
// 256 for Explorer's largest views. The system takes the image of the size
// it wants, so none is a smaller one enlarged or a larger one shrunk.
const std::vector<int>& icon_sizes();

// The size from which an icon image is a PNG: Explorer's largest views.
constexpr int kPngIconSize = 256;

// One image of a file, with its width (and height), and its bits per pixel
// where they differ from the file's other images (a PNG's 32).
struct icon_image {
  unsigned size;
  byte_buffer dib;
  unsigned bits = 0;
};

// The image part of an icon or cursor (header, colours, mask) from a
// square picture, in 24 bits per pixel ...
byte_buffer icon_dib_24(const picture& p);
// ... in 32 bits with straight alpha from the coverage (the mask remains
// for systems that ignore the alpha) ...
byte_buffer icon_dib_32(const picture& p);
// ... or in 16 colours from a fixed palette, nearest entry per pixel, with
// entry 0 (black) under the transparent pixels.
byte_buffer icon_dib_4(const picture& p, const std::vector<std::uint32_t>& palette);

// ... or, at kPngIconSize, a PNG of 32 bits with straight alpha from the
// coverage; with a palette, every pixel its nearest entry and whole or
// transparent, as in the 16-colour images.
icon_image icon_png(const picture& p, const std::vector<std::uint32_t>* palette = nullptr);

// An .ico file of the images, smallest first; colours is the palette size,
// 0 for 256 or more.
byte_buffer ico_file(const std::vector<icon_image>& images, unsigned bits, unsigned colours);
// A .cur file of the images, smallest first, each with its hot spot in the
// middle.
byte_buffer cur_file(const std::vector<icon_image>& images);
