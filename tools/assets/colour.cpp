#include "colour.h"

#include "exact_math.h"

rgb hex(std::uint32_t value) {
  return {static_cast<double>((value >> 16) & 0xFF) / 255,
          static_cast<double>((value >> 8) & 0xFF) / 255, static_cast<double>(value & 0xFF) / 255};
}

rgb mix(const rgb& a, const rgb& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

rgb scale(const rgb& c, double k) { return {c.r * k, c.g * k, c.b * k}; }

rgb add(const rgb& a, const rgb& b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

unsigned channel_byte(double v) {
  return static_cast<unsigned>(round_to_long(clamp(v, 0, 1) * 255));
}

std::uint32_t pack(const rgb& c) {
  return (channel_byte(c.r) << 16) | (channel_byte(c.g) << 8) | channel_byte(c.b);
}

unsigned channel_of(std::uint32_t colour, int channel) {
  return (colour >> (16 - 8 * channel)) & 0xFFu;
}
