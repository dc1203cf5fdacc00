// Shared pieces of the fuzz targets: a failed property prints what broke
// and aborts, which libFuzzer reports as a finding and saves the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "pool.h"

#define FUZZ_CHECK(condition, what)                                      \
  do {                                                                   \
    if (!(condition)) fuzz_fail(__FILE__, __LINE__, #condition, (what)); \
  } while (0)

[[noreturn]] inline void fuzz_fail(const char* file, int line, const char* condition,
                                   const char* what) {
  std::fprintf(stderr, "%s:%d: %s\n  failed: %s\n", file, line, what, condition);
  std::abort();
}

// The pool's allocator, counted: how many blocks a call took and the size
// of the last one. A request beyond anything the programs could meet is a
// finding in itself, reported before calloc is even asked.
struct allocation_log {
  int calls;
  std::size_t last_size;
};
inline allocation_log allocations;
constexpr std::size_t LARGEST_SANE_REQUEST = std::size_t{64} << 20;

inline void* counting_calloc(std::size_t count, std::size_t size) {
  const std::size_t bytes = count * size;
  ++allocations.calls;
  allocations.last_size = bytes;
  if (bytes > LARGEST_SANE_REQUEST) {
    std::fprintf(stderr, "pool asked for %zu bytes\n", bytes);
    fuzz_fail(__FILE__, __LINE__, "bytes <= LARGEST_SANE_REQUEST", "oversized pool request");
  }
  return std::calloc(count, size);
}

inline void install_counting_allocator() { pool_set_allocator(counting_calloc); }

// A text in a heap block of exactly its length plus the terminator, so
// that AddressSanitizer sees any read or write past the end.
inline std::vector<char> exact_text(const std::string& text) {
  std::vector<char> block(text.begin(), text.end());
  block.push_back('\0');
  block.shrink_to_fit();
  return block;
}

// The C text up to the first zero byte of the fuzz data.
inline std::string c_text(const std::uint8_t* data, std::size_t size) {
  const void* zero = std::memchr(data, 0, size);
  const std::size_t length =
      zero != nullptr ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - data)
                      : size;
  return std::string(reinterpret_cast<const char*>(data), length);
}

// Calls a text routine and checks the pool contract: it took exactly one
// block, the result is that block (now the newest slot), and the text ends
// inside the block. Returns the result and the block's requested length
// (without the pool's spare bytes).
struct pooled_text {
  const char* text;
  long long requested;
};

template <typename Call>
pooled_text one_block(Call call) {
  const int before = pool_index();
  allocations = {};
  const char* result = call();
  FUZZ_CHECK(allocations.calls == 1, "a text routine must take exactly one pool block");
  FUZZ_CHECK((pool_index() - before + POOL_SLOTS) % POOL_SLOTS == 1, "pool index must move by one");
  FUZZ_CHECK(result == pool_slot(pool_index()), "result must be the newest pool block");
  FUZZ_CHECK(allocations.last_size >= POOL_SPARE_BYTES, "block lacks the spare bytes");
  FUZZ_CHECK(std::memchr(result, 0, allocations.last_size) != nullptr,
             "result not terminated inside its block");
  return {result,
          static_cast<long long>(allocations.last_size) - static_cast<long long>(POOL_SPARE_BYTES)};
}

// Routines that search or compare take no block at all.
template <typename Call>
auto no_block(Call call) {
  const int before = pool_index();
  allocations = {};
  auto result = call();
  FUZZ_CHECK(allocations.calls == 0 && pool_index() == before, "must not allocate");
  return result;
}

inline void expect_text(const char* result, const std::string& expected, const char* what) {
  FUZZ_CHECK(std::strlen(result) == expected.size(), what);
  FUZZ_CHECK(std::memcmp(result, expected.data(), expected.size()) == 0, what);
}
