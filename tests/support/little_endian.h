// Little-endian fields read from a byte container (std::string or a vector
// of bytes), as RIFF, BMP and ICO files store them; 0xFFFFFFFF when the
// field runs past the end.
#pragma once

#include <cstddef>
#include <cstdint>

template <typename Bytes>
std::uint32_t read_u16(const Bytes& b, std::size_t at) {
  if (at + 2 > b.size()) return 0xFFFFFFFFu;
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at]) |
                                    static_cast<unsigned char>(b[at + 1]) << 8);
}

template <typename Bytes>
std::uint32_t read_u32(const Bytes& b, std::size_t at) {
  if (at + 4 > b.size()) return 0xFFFFFFFFu;
  return read_u16(b, at) | read_u16(b, at + 2) << 16;
}
