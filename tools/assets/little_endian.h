// The byte buffer every file writer fills, and the little-endian integers
// that RIFF, BMP and ICO files are made of.
#pragma once

#include <cstdint>
#include <vector>

using byte_buffer = std::vector<std::uint8_t>;

void put_u8(byte_buffer& out, unsigned value);
void put_u16(byte_buffer& out, unsigned value);
void put_u32(byte_buffer& out, std::uint32_t value);
// Two's complement, as the bitmap headers store signed sizes.
void put_i32(byte_buffer& out, std::int32_t value);
// The four characters of a RIFF tag or form type, as they are.
void put_tag(byte_buffer& out, const char* tag);
void put_bytes(byte_buffer& out, const byte_buffer& data);
