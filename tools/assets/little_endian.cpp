#include "little_endian.h"

void put_u8(byte_buffer& out, unsigned value) { out.push_back(static_cast<std::uint8_t>(value)); }

void put_u16(byte_buffer& out, unsigned value) {
  put_u8(out, value & 0xFFu);
  put_u8(out, (value >> 8) & 0xFFu);
}

void put_u32(byte_buffer& out, std::uint32_t value) {
  put_u16(out, value & 0xFFFFu);
  put_u16(out, (value >> 16) & 0xFFFFu);
}

void put_i32(byte_buffer& out, std::int32_t value) {
  put_u32(out, static_cast<std::uint32_t>(value));
}

void put_tag(byte_buffer& out, const char* tag) {
  for (int i = 0; i < 4; ++i) put_u8(out, static_cast<unsigned char>(tag[i]));
}

void put_bytes(byte_buffer& out, const byte_buffer& data) {
  out.insert(out.end(), data.begin(), data.end());
}
