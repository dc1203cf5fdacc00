#include "riff.h"

void put_chunk(byte_buffer& out, const char* tag, const byte_buffer& data) {
  put_tag(out, tag);
  put_u32(out, static_cast<std::uint32_t>(data.size()));
  put_bytes(out, data);
  if (data.size() % 2 != 0) put_u8(out, 0);
}

byte_buffer riff_form(const char* tag, const char* form, const byte_buffer& body) {
  byte_buffer out;
  put_tag(out, tag);
  put_u32(out, static_cast<std::uint32_t>(body.size() + 4));
  put_tag(out, form);
  put_bytes(out, body);
  return out;
}
