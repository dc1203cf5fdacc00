// Colour reduction for the paletted pictures: the 256-colour splash bitmap
// (palette found by median cut) and the 16-colour stopwatch icon (fixed
// palette, nearest entry).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "colour.h"

struct palette_image {
  std::vector<std::uint32_t> palette;  // 0xRRGGBB
  std::vector<std::uint8_t> index;     // one per pixel
};

// Splits the colour space into `size` boxes, always cutting the box with the
// largest spread times pixel count at its weighted median; each box becomes
// one palette entry, the pixel-weighted mean of its colours, and every pixel
// takes its own box's entry, so every entry is used. Entries are ordered by
// brightness. With fewer distinct colours than `size`, the palette is shorter.
palette_image reduce_colours(const std::vector<std::uint32_t>& pixels, std::size_t size);

// Index of the palette entry nearest to c (squared distance over the byte
// channels); the first of equally near entries.
unsigned nearest_entry(const std::vector<std::uint32_t>& palette, const rgb& c);
