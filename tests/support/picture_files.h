// Picture files made by the tests: small cursors and animated cursors of a
// given size, and RIFF forms of lists nested one inside the last.
#pragma once

#include <cstdint>
#include <string>

inline void put_u16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8 & 0xFF);
}
inline void put_u32(std::string& out, std::uint32_t value) {
  put_u16(out, value & 0xFFFF);
  put_u16(out, value >> 16);
}
// A RIFF chunk of an even-sized body.
inline std::string riff_chunk(const char* id, const std::string& body) {
  std::string out(id, 4);
  put_u32(out, static_cast<std::uint32_t>(body.size()));
  return out + body;
}

// A cursor file of one opaque white 32-bit image, size pixels square.
inline std::string cursor_file(std::uint32_t size) {
  std::string image;
  for (std::uint32_t field : {40u, size, 2 * size, 1u | 32u << 16, 0u, 0u, 0u, 0u, 0u, 0u}) {
    put_u32(image, field);  // BITMAPINFOHEADER: colour and mask rows stacked
  }
  image += std::string(size * size * 4, '\xff');
  image += std::string((size + 31) / 32 * 4 * size, '\0');  // mask: every pixel shown
  std::string file;
  for (std::uint32_t field : {0u, 2u, 1u, size | size << 8, 0u, size / 2, size / 2}) {
    put_u16(file, field);
  }
  put_u32(file, static_cast<std::uint32_t>(image.size()));
  put_u32(file, 22);  // the image right after the directory
  return file + image;
}

// An animated cursor of that many frames, each such a cursor.
inline std::string animated_cursor(std::uint32_t size, std::uint32_t frames) {
  std::string header;
  for (std::uint32_t field : {36u, frames, frames, 0u, 0u, 0u, 0u, 10u, 1u}) put_u32(header, field);
  std::string list = "fram";
  for (std::uint32_t i = 0; i < frames; ++i) list += riff_chunk("icon", cursor_file(size));
  return riff_chunk("RIFF", "ACON" + riff_chunk("anih", header) + riff_chunk("LIST", list));
}

// "RIFF" "ACON" and depth lists, each inside the last: 12 bytes a level.
inline std::string nested_lists(std::uint32_t depth) {
  std::string out = "RIFF";
  put_u32(out, 4 + 12 * depth);
  out += "ACON";
  for (std::uint32_t level = depth; level > 0; --level) {
    out += "LIST";
    put_u32(out, 4 + 12 * (level - 1));
    out += "fram";
  }
  return out;
}
