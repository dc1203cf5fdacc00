#include "icon_file.h"

#include <cstddef>

#include "dib.h"
#include "palette.h"

namespace {

constexpr std::uint32_t kMaskBytes = kIconSize * 4;  // 1 bit a pixel, rows of 4 bytes

// An icon image's BITMAPINFOHEADER: the height counts the colour image and
// the AND mask below it.
byte_buffer icon_header(unsigned bits, std::uint32_t colour_bytes) {
  byte_buffer out;
  put_info_header(out, kIconSize, kIconSize * 2, bits, colour_bytes + kMaskBytes, 0, 0);
  return out;
}

bool opaque(const picture& p, int x, int row) { return p.coverage[pixel_index(p, x, row)] >= 0.5; }

// The AND mask: 1 bits are transparent; rows bottom-up, most significant
// bit first.
void put_mask(byte_buffer& out, const picture& p) {
  for (int row = kIconSize - 1; row >= 0; --row) {
    std::uint32_t bits = 0;
    for (int x = 0; x < kIconSize; ++x) {
      if (!opaque(p, x, row)) bits |= 0x80000000u >> x;
    }
    put_u8(out, bits >> 24);
    put_u8(out, (bits >> 16) & 0xFF);
    put_u8(out, (bits >> 8) & 0xFF);
    put_u8(out, bits & 0xFF);
  }
}

void put_bgr(byte_buffer& out, const rgb& c) {
  put_u8(out, channel_byte(c.b));
  put_u8(out, channel_byte(c.g));
  put_u8(out, channel_byte(c.r));
}

// The icon directory: one entry, the image right after it. For a cursor
// the entry's planes and bit count hold the hot spot instead.
byte_buffer directory_file(const byte_buffer& dib, bool cursor, unsigned colours,
                           unsigned planes_or_hot_x, unsigned bits_or_hot_y) {
  byte_buffer out;
  put_u16(out, 0);
  put_u16(out, cursor ? 2 : 1);
  put_u16(out, 1);
  put_u8(out, kIconSize);
  put_u8(out, kIconSize);
  put_u8(out, colours);
  put_u8(out, 0);
  put_u16(out, planes_or_hot_x);
  put_u16(out, bits_or_hot_y);
  put_u32(out, static_cast<std::uint32_t>(dib.size()));
  put_u32(out, 6 + 16);  // the directory header and its one entry
  put_bytes(out, dib);
  return out;
}

}  // namespace

byte_buffer icon_dib_24(const picture& p) {
  byte_buffer out = icon_header(24, kIconSize * kIconSize * 3);
  for (int row = kIconSize - 1; row >= 0; --row) {
    for (int x = 0; x < kIconSize; ++x) {
      put_bgr(out, opaque(p, x, row) ? p.colour[pixel_index(p, x, row)] : rgb{0, 0, 0});
    }
  }
  put_mask(out, p);
  return out;
}

byte_buffer icon_dib_32(const picture& p) {
  byte_buffer out = icon_header(32, kIconSize * kIconSize * 4);
  for (int row = kIconSize - 1; row >= 0; --row) {
    for (int x = 0; x < kIconSize; ++x) {
      const std::size_t i = pixel_index(p, x, row);
      const unsigned alpha = channel_byte(p.coverage[i]);
      put_bgr(out, alpha > 0 ? p.colour[i] : rgb{0, 0, 0});
      put_u8(out, alpha);
    }
  }
  put_mask(out, p);
  return out;
}

byte_buffer icon_dib_4(const picture& p, const std::vector<std::uint32_t>& palette) {
  byte_buffer out = icon_header(4, kIconSize * kIconSize / 2);
  put_colour_table(out, palette, palette.size());
  for (int row = kIconSize - 1; row >= 0; --row) {
    for (int x = 0; x < kIconSize; x += 2) {
      // Two pixels a byte, the left one in the high nibble.
      unsigned pair = 0;
      for (int half = 0; half < 2; ++half) {
        const unsigned entry = opaque(p, x + half, row)
                                   ? nearest_entry(palette, p.colour[pixel_index(p, x + half, row)])
                                   : 0;
        pair = (pair << 4) | entry;
      }
      put_u8(out, pair);
    }
  }
  put_mask(out, p);
  return out;
}

byte_buffer ico_file(const byte_buffer& dib, unsigned bits, unsigned colours) {
  return directory_file(dib, false, colours, 1, bits);
}

byte_buffer cur_file(const byte_buffer& dib, unsigned hot_x, unsigned hot_y) {
  return directory_file(dib, true, 0, hot_x, hot_y);
}
