#include "dib.h"

void put_info_header(byte_buffer& out, std::int32_t width, std::int32_t height, unsigned bits,
                     std::uint32_t image_bytes, std::int32_t pixels_per_metre,
                     std::uint32_t colours_used) {
  put_u32(out, 40);
  put_i32(out, width);
  put_i32(out, height);
  put_u16(out, 1);
  put_u16(out, bits);
  put_u32(out, 0);  // BI_RGB
  put_u32(out, image_bytes);
  put_i32(out, pixels_per_metre);
  put_i32(out, pixels_per_metre);
  put_u32(out, colours_used);
  put_u32(out, colours_used);  // all of them important
}

void put_colour_table(byte_buffer& out, const std::vector<std::uint32_t>& palette,
                      std::size_t entries) {
  for (std::size_t i = 0; i < entries; ++i) {
    const std::uint32_t c = i < palette.size() ? palette[i] : 0;
    put_u8(out, c & 0xFF);
    put_u8(out, (c >> 8) & 0xFF);
    put_u8(out, (c >> 16) & 0xFF);
    put_u8(out, 0);
  }
}
