// Colours as three doubles from 0 to 1 while drawing, and as 0xRRGGBB once
// a pixel is done.
#pragma once

#include <cstdint>

struct rgb {
  double r, g, b;
};

// 0xRRGGBB, as the colours are written in the pictures' sources.
rgb hex(std::uint32_t value);
rgb mix(const rgb& a, const rgb& b, double t);
rgb scale(const rgb& c, double k);
rgb add(const rgb& a, const rgb& b);

// A channel from 0 to 1 (clipped beyond) as a byte, rounded to nearest.
unsigned channel_byte(double v);
// 0xRRGGBB of a drawn colour.
std::uint32_t pack(const rgb& c);
// Channel 0 (red), 1 (green) or 2 (blue) of 0xRRGGBB.
unsigned channel_of(std::uint32_t colour, int channel);
