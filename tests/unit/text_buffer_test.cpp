#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "text_buffer.h"

namespace {

TEST(TextBuffer, CopiesShortTextsWhole) {
  char buffer[TEXT_BUFFER_SIZE];
  std::memset(buffer, 'x', sizeof buffer);
  copy_text(buffer, "00:00:00");
  EXPECT_STREQ(buffer, "00:00:00");
  copy_text(buffer, "");
  EXPECT_STREQ(buffer, "");
}

TEST(TextBuffer, CutsLongTextsAtTheLastByteAndKeepsTheTerminator) {
  // A guard byte after the buffer shows that nothing is written past it.
  // Every byte starts non-zero, so the terminator must be written, not found.
  char storage[TEXT_BUFFER_SIZE + 1];
  std::memset(storage, 'x', sizeof storage);
  storage[TEXT_BUFFER_SIZE] = '#';
  const std::string long_text(10000, 'A');
  copy_text(storage, long_text.c_str());
  EXPECT_EQ(std::strlen(storage), static_cast<size_t>(TEXT_BUFFER_SIZE - 1));
  EXPECT_EQ(storage[TEXT_BUFFER_SIZE], '#');

  const std::string exact(TEXT_BUFFER_SIZE - 1, 'B');
  copy_text(storage, exact.c_str());
  EXPECT_EQ(std::string(storage), exact);
}

}  // namespace
