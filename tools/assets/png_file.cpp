#include "png_file.h"

#include <algorithm>
#include <cstddef>

namespace {

// Deflate's lengths 3 to 258 and distances 1 to 32768: each code's base
// and the extra bits that follow it.
const unsigned kLengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const unsigned kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const unsigned kDistanceBase[] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                  33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                  1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const unsigned kDistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                   6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 258;
constexpr std::size_t kWindow = 32768;
constexpr int kChainDepth = 64;
constexpr std::size_t kHashSize = 1 << 15;

// Bits go out least significant first; Huffman codes most significant
// bit first.
struct bit_writer {
  byte_buffer& out;
  std::uint32_t pending = 0;
  int count = 0;

  void bits(std::uint32_t value, int n) {
    for (int i = 0; i < n; ++i) {
      pending |= ((value >> i) & 1u) << count;
      if (++count == 8) {
        put_u8(out, pending);
        pending = 0;
        count = 0;
      }
    }
  }
  void code(std::uint32_t value, int n) {
    for (int i = n - 1; i >= 0; --i) bits((value >> i) & 1u, 1);
  }
  void flush() {
    if (count > 0) put_u8(out, pending);
    pending = 0;
    count = 0;
  }
};

// A literal, a length code or the end of the block in the fixed code.
void put_symbol(bit_writer& w, unsigned symbol) {
  if (symbol < 144) {
    w.code(0x30 + symbol, 8);
  } else if (symbol < 256) {
    w.code(0x190 + symbol - 144, 9);
  } else if (symbol < 280) {
    w.code(symbol - 256, 7);
  } else {
    w.code(0xC0 + symbol - 280, 8);
  }
}

void put_match(bit_writer& w, unsigned length, unsigned distance) {
  unsigned l = 28;
  while (kLengthBase[l] > length) --l;
  put_symbol(w, 257 + l);
  w.bits(length - kLengthBase[l], static_cast<int>(kLengthExtra[l]));
  unsigned d = 29;
  while (kDistanceBase[d] > distance) --d;
  w.code(d, 5);
  w.bits(distance - kDistanceBase[d], static_cast<int>(kDistanceExtra[d]));
}

std::size_t hash_at(const byte_buffer& data, std::size_t at) {
  return ((data[at] << 10) ^ (data[at + 1] << 5) ^ data[at + 2]) & (kHashSize - 1);
}

void put_u32_big_endian(byte_buffer& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) put_u8(out, (value >> shift) & 0xFF);
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t length) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

// A chunk: length, type, data and the CRC of type and data.
void put_chunk(byte_buffer& out, const char* type, const byte_buffer& data) {
  put_u32_big_endian(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t from = out.size();
  for (int i = 0; i < 4; ++i) put_u8(out, static_cast<unsigned char>(type[i]));
  put_bytes(out, data);
  put_u32_big_endian(out, crc32(out.data() + from, out.size() - from));
}

}  // namespace

byte_buffer zlib_compressed(const byte_buffer& data) {
  byte_buffer out;
  put_u8(out, 0x78);  // deflate, 32 KB window
  put_u8(out, 0x01);  // no dictionary; the check makes 0x7801 a multiple of 31
  bit_writer w{out};
  w.bits(1, 1);  // the last block
  w.bits(1, 2);  // fixed codes
  std::vector<std::ptrdiff_t> head(kHashSize, -1);
  std::vector<std::ptrdiff_t> previous(data.size(), -1);
  auto remember = [&](std::size_t at) {
    if (at + kMinMatch > data.size()) return;
    const std::size_t h = hash_at(data, at);
    previous[at] = head[h];
    head[h] = static_cast<std::ptrdiff_t>(at);
  };
  std::size_t at = 0;
  while (at < data.size()) {
    std::size_t best_length = 0;
    std::size_t best_distance = 0;
    if (at + kMinMatch <= data.size()) {
      std::ptrdiff_t candidate = head[hash_at(data, at)];
      const std::size_t limit = std::min(kMaxMatch, data.size() - at);
      for (int depth = 0; candidate >= 0 && depth < kChainDepth; ++depth) {
        const std::size_t from = static_cast<std::size_t>(candidate);
        if (at - from > kWindow) break;
        std::size_t length = 0;
        while (length < limit && data[from + length] == data[at + length]) ++length;
        if (length > best_length) {
          best_length = length;
          best_distance = at - from;
        }
        candidate = previous[from];
      }
    }
    if (best_length >= kMinMatch) {
      put_match(w, static_cast<unsigned>(best_length), static_cast<unsigned>(best_distance));
      for (std::size_t i = 0; i < best_length; ++i) remember(at + i);
      at += best_length;
    } else {
      put_symbol(w, data[at]);
      remember(at);
      ++at;
    }
  }
  put_symbol(w, 256);
  w.flush();
  std::uint32_t a = 1, b = 0;  // Adler-32 of the data
  for (std::uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  put_u32_big_endian(out, (b << 16) | a);
  return out;
}

byte_buffer png_file(int width, int height, const byte_buffer& rgba) {
  byte_buffer out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  byte_buffer header;
  put_u32_big_endian(header, static_cast<std::uint32_t>(width));
  put_u32_big_endian(header, static_cast<std::uint32_t>(height));
  for (unsigned field : {8, 6, 0, 0, 0}) put_u8(header, field);  // RGBA, 8 bits, no interlace
  put_chunk(out, "IHDR", header);
  byte_buffer rows;
  const std::size_t stride = static_cast<std::size_t>(width) * 4;
  for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
    put_u8(rows, 1);  // Sub: each byte less the one a pixel to its left
    for (std::size_t x = 0; x < stride; ++x) {
      const std::uint8_t left = x >= 4 ? rgba[y * stride + x - 4] : 0;
      put_u8(rows, static_cast<std::uint8_t>(rgba[y * stride + x] - left));
    }
  }
  put_chunk(out, "IDAT", zlib_compressed(rows));
  put_chunk(out, "IEND", {});
  return out;
}
