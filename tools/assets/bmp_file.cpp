#include "bmp_file.h"

#include <cstddef>
#include <cstdint>

#include "dib.h"

namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kColours = 256;
constexpr std::int32_t kPixelsPerMetre = 2851;  // 72.4 dots per inch

}  // namespace

byte_buffer bmp_file_8bit(int width, int height, const palette_image& image) {
  // Each row is padded to a whole number of 32-bit words.
  const std::uint32_t stride = static_cast<std::uint32_t>(width + 3) / 4 * 4;
  const std::uint32_t image_size = stride * static_cast<std::uint32_t>(height);
  const std::uint32_t bits_offset = kFileHeaderBytes + kInfoHeaderBytes + kColours * 4;
  byte_buffer out;
  put_u8(out, 'B');
  put_u8(out, 'M');
  put_u32(out, bits_offset + image_size);
  put_u32(out, 0);  // reserved
  put_u32(out, bits_offset);
  put_info_header(out, width, height, 8, image_size, kPixelsPerMetre, kColours);
  put_colour_table(out, image.palette, kColours);
  for (int row = height - 1; row >= 0; --row) {
    for (int x = 0; x < width; ++x) {
      put_u8(out, image.index[static_cast<std::size_t>(row * width + x)]);
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(width); pad < stride; ++pad) {
      put_u8(out, 0);
    }
  }
  return out;
}
