// The two pieces that the splash bitmap and the icon images share: the
// BITMAPINFOHEADER and the colour table of RGBQUADs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "little_endian.h"

// A 40-byte BITMAPINFOHEADER, uncompressed (BI_RGB), one plane. A positive
// height means rows bottom-up; 0 for the resolution and colour counts means
// "not given".
void put_info_header(byte_buffer& out, std::int32_t width, std::int32_t height, unsigned bits,
                     std::uint32_t image_bytes, std::int32_t pixels_per_metre,
                     std::uint32_t colours_used);

// `entries` RGBQUADs (blue, green, red, 0) from 0xRRGGBB colours; entries
// past the end of the palette are black.
void put_colour_table(byte_buffer& out, const std::vector<std::uint32_t>& palette,
                      std::size_t entries);
