// Picture files made by the tests, RIFF chunk by chunk.
#pragma once
#include <cstdint>
#include <string>
inline std::string u32(std::uint32_t v) {
  return {char(v & 0xFF), char(v >> 8 & 0xFF), char(v >> 16 & 0xFF), char(v >> 24)};
}
inline std::string riff_chunk(const char* id, const std::string& even_sized_body) {
  return id + u32(static_cast<std::uint32_t>(even_sized_body.size())) + even_sized_body;
}
// "RIFF" "ACON" and depth lists, each inside the last: 12 bytes a level.
inline std::string nested_lists(std::uint32_t depth) {
  std::string out = "RIFF" + u32(4 + 12 * depth) + "ACON";
  for (std::uint32_t level = depth; level-- > 0;) out += "LIST" + u32(4 + 12 * level) + "fram";
  return out;
}
