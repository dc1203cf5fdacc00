// str_join with up to eight texts, as the stopwatch builds its title from
// pool results, and the result kept in a 2048-byte text buffer.
// Input: byte 0 gives how many texts (0 to 8), byte 1 a few flags, the
// rest the texts, separated by zero bytes.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "pool.h"
#include "string_functions.h"
#include "text_buffer.h"

namespace {

constexpr int MAX_TEXTS = 8;
constexpr std::uint8_t FIRST_FROM_POOL = 1;    // the first text is itself a pool result
constexpr std::uint8_t LAST_IS_FIRST = 2;      // the same text passed twice
constexpr std::uint8_t NEGATIVE_COUNT = 0x80;  // with no texts: a count below zero

const char* join(int count, const char* const* t) {
  switch (count) {
    case 1:
      return str_join(1, t[0]);
    case 2:
      return str_join(2, t[0], t[1]);
    case 3:
      return str_join(3, t[0], t[1], t[2]);
    case 4:
      return str_join(4, t[0], t[1], t[2], t[3]);
    case 5:
      return str_join(5, t[0], t[1], t[2], t[3], t[4]);
    case 6:
      return str_join(6, t[0], t[1], t[2], t[3], t[4], t[5]);
    case 7:
      return str_join(7, t[0], t[1], t[2], t[3], t[4], t[5], t[6]);
    case 8:
      return str_join(8, t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7]);
    default:
      return str_join(count);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  install_counting_allocator();
  if (size < 2) return 0;
  int count = data[0] % (MAX_TEXTS + 1);
  const std::uint8_t flags = data[1];
  if (count == 0 && (flags & NEGATIVE_COUNT) != 0) count = -1 - (flags & 7);

  std::vector<std::string> models;
  std::vector<std::vector<char>> blocks;
  std::size_t at = 2;
  for (int i = 0; i < MAX_TEXTS; ++i) {
    models.push_back(c_text(data + at, size - at));
    at += models.back().size();
    if (at < size) ++at;  // past the zero byte
  }
  for (const std::string& model : models) blocks.push_back(exact_text(model));
  const char* texts[MAX_TEXTS];
  for (int i = 0; i < MAX_TEXTS; ++i) texts[i] = blocks[static_cast<std::size_t>(i)].data();

  if (count > 0 && (flags & FIRST_FROM_POOL) != 0) {
    texts[0] = str_repeat(2, texts[0]);
    models[0] += models[0];
  }
  if (count > 1 && (flags & LAST_IS_FIRST) != 0) {
    texts[count - 1] = texts[0];
    models[static_cast<std::size_t>(count - 1)] = models[0];
  }

  std::string expected;
  for (int i = 0; i < count; ++i) expected += models[static_cast<std::size_t>(i)];
  const pooled_text r = one_block([&] { return join(count, texts); });
  expect_text(r.text, expected, "str_join appends the texts in order");
  FUZZ_CHECK(r.requested == static_cast<long long>(expected.size()),
             "str_join asks for the joined length");
  for (int i = 0; i < count; ++i) {
    FUZZ_CHECK(std::strcmp(texts[i], models[static_cast<std::size_t>(i)].c_str()) == 0,
               "str_join must leave its texts alone");
  }

  std::unique_ptr<char[]> buffer(new char[TEXT_BUFFER_SIZE]);
  std::memset(buffer.get(), 0x5A, TEXT_BUFFER_SIZE);
  copy_text(buffer.get(), r.text);
  FUZZ_CHECK(std::memchr(buffer.get(), 0, TEXT_BUFFER_SIZE) != nullptr, "buffer terminated");
  expect_text(buffer.get(), expected.substr(0, TEXT_BUFFER_SIZE - 1),
              "copy_text keeps the first 2047 characters");
  return 0;
}
