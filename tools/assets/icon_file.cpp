#include "icon_file.h"

#include <cstddef>

#include "dib.h"
#include "palette.h"
#include "png_file.h"

namespace {

// Mask rows are padded to whole 32-bit words: 1 bit a pixel.
std::uint32_t mask_bytes(int size) {
  return static_cast<std::uint32_t>((size + 31) / 32 * 4 * size);
}

// Colour rows are padded to whole 32-bit words too.
std::uint32_t row_bytes(int size, unsigned bits) {
  return static_cast<std::uint32_t>((size * static_cast<int>(bits) + 31) / 32 * 4);
}

void pad_row(byte_buffer& out, int size, unsigned bits) {
  const std::uint32_t used = static_cast<std::uint32_t>((size * static_cast<int>(bits) + 7) / 8);
  for (std::uint32_t i = used; i < row_bytes(size, bits); ++i) put_u8(out, 0);
}

// An icon image's BITMAPINFOHEADER: the height counts the colour image and
// the AND mask below it.
byte_buffer icon_header(int size, unsigned bits, std::uint32_t colour_bytes) {
  byte_buffer out;
  put_info_header(out, size, size * 2, bits, colour_bytes + mask_bytes(size), 0, 0);
  return out;
}

bool opaque(const picture& p, int x, int row) { return p.coverage[pixel_index(p, x, row)] >= 0.5; }

// The AND mask: 1 bits are transparent; rows bottom-up, most significant
// bit first.
void put_mask(byte_buffer& out, const picture& p) {
  for (int row = p.height - 1; row >= 0; --row) {
    for (int word = 0; word < (p.width + 31) / 32; ++word) {
      std::uint32_t bits = 0;
      for (int x = word * 32; x < p.width && x < word * 32 + 32; ++x) {
        if (!opaque(p, x, row)) bits |= 0x80000000u >> (x - word * 32);
      }
      put_u8(out, bits >> 24);
      put_u8(out, (bits >> 16) & 0xFF);
      put_u8(out, (bits >> 8) & 0xFF);
      put_u8(out, bits & 0xFF);
    }
  }
}

void put_bgr(byte_buffer& out, const rgb& c) {
  put_u8(out, channel_byte(c.b));
  put_u8(out, channel_byte(c.g));
  put_u8(out, channel_byte(c.r));
}

// The icon directory, smallest image first, the images right after it. For
// a cursor each entry's planes and bit count hold the hot spot instead (the
// middle of the image).
byte_buffer directory_file(const std::vector<icon_image>& images, bool cursor, unsigned colours,
                           unsigned bits) {
  byte_buffer out;
  put_u16(out, 0);
  put_u16(out, cursor ? 2 : 1);
  put_u16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (const icon_image& image : images) {
    // A byte each: 0 stands for 256.
    put_u8(out, image.size & 0xFF);
    put_u8(out, image.size & 0xFF);
    put_u8(out, image.bits != 0 ? 0 : colours);
    put_u8(out, 0);
    put_u16(out, cursor ? image.size / 2 : 1);
    put_u16(out, cursor ? image.size / 2 : image.bits != 0 ? image.bits : bits);
    put_u32(out, static_cast<std::uint32_t>(image.dib.size()));
    put_u32(out, offset);
    offset += static_cast<std::uint32_t>(image.dib.size());
  }
  for (const icon_image& image : images) put_bytes(out, image.dib);
  return out;
}

}  // namespace

const std::vector<int>& icon_sizes() {
  // The 32-pixel image first: a load that asks for no size (LoadImage at
  // 0 by 0) takes the first image, and has always been given 32 pixels.
  static const std::vector<int> sizes = {kIconSize, 16, 20, 24, 40, 48, 64, 256};
  return sizes;
}

byte_buffer icon_dib_24(const picture& p) {
  byte_buffer out = icon_header(p.width, 24, row_bytes(p.width, 24) * p.height);
  for (int row = p.height - 1; row >= 0; --row) {
    for (int x = 0; x < p.width; ++x) {
      put_bgr(out, opaque(p, x, row) ? p.colour[pixel_index(p, x, row)] : rgb{0, 0, 0});
    }
    pad_row(out, p.width, 24);
  }
  put_mask(out, p);
  return out;
}

byte_buffer icon_dib_32(const picture& p) {
  byte_buffer out = icon_header(p.width, 32, static_cast<std::uint32_t>(p.width * p.height * 4));
  for (int row = p.height - 1; row >= 0; --row) {
    for (int x = 0; x < p.width; ++x) {
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
  byte_buffer out = icon_header(p.width, 4, row_bytes(p.width, 4) * p.height);
  put_colour_table(out, palette, palette.size());
  for (int row = p.height - 1; row >= 0; --row) {
    for (int x = 0; x < p.width; x += 2) {
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
    pad_row(out, p.width, 4);
  }
  put_mask(out, p);
  return out;
}

icon_image icon_png(const picture& p, const std::vector<std::uint32_t>* palette) {
  byte_buffer rgba;
  for (int row = 0; row < p.height; ++row) {
    for (int x = 0; x < p.width; ++x) {
      const std::size_t i = pixel_index(p, x, row);
      unsigned alpha = channel_byte(p.coverage[i]);
      rgb c = alpha > 0 ? p.colour[i] : rgb{0, 0, 0};
      if (palette != nullptr) {
        alpha = opaque(p, x, row) ? 255 : 0;
        const std::uint32_t entry = (*palette)[alpha != 0 ? nearest_entry(*palette, c) : 0];
        c = hex(entry);
      }
      put_u8(rgba, channel_byte(c.r));
      put_u8(rgba, channel_byte(c.g));
      put_u8(rgba, channel_byte(c.b));
      put_u8(rgba, alpha);
    }
  }
  return {static_cast<unsigned>(p.width), png_file(p.width, p.height, rgba), 32};
}

byte_buffer ico_file(const std::vector<icon_image>& images, unsigned bits, unsigned colours) {
  return directory_file(images, false, colours, bits);
}

byte_buffer cur_file(const std::vector<icon_image>& images) {
  return directory_file(images, true, 0, 0);
}
