// The command line as a program receives it: the tail is cut off the line
// and kept in a 2048-byte text buffer, as the splash keeps its text.
// Input: the command line, up to its first zero byte.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "command_line.h"
#include "fuzz_support.h"
#include "pool.h"
#include "text_buffer.h"

namespace {

// Where the tail starts, worked out from the rules on its own.
std::size_t expected_tail_offset(const std::string& line) {
  std::size_t at = 0;
  if (!line.empty() && line[0] == '"') {
    const std::size_t closing = line.find('"', 1);
    if (closing == std::string::npos) return 0;  // the whole line, opening quote included
    at = closing + 1;
  } else {
    at = line.find(' ');
    if (at == std::string::npos) at = line.size();
  }
  while (at < line.size() && line[at] == ' ') ++at;
  return at;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  install_counting_allocator();
  const std::string model = c_text(data, size);
  const std::vector<char> line = exact_text(model);

  const char* tail = no_block([&] { return command_line_tail(line.data()); });
  FUZZ_CHECK(tail >= line.data() && tail <= line.data() + model.size(),
             "the tail must point into the line");
  const std::size_t offset = static_cast<std::size_t>(tail - line.data());
  FUZZ_CHECK(offset == expected_tail_offset(model), "the tail starts in the wrong place");
  FUZZ_CHECK(tail[0] != ' ', "blanks after the program name belong to nobody");
  FUZZ_CHECK(std::strcmp(line.data(), model.c_str()) == 0, "the line must not change");

  // A buffer of exactly the text-buffer size, full of rubbish beforehand,
  // so a missing terminator or a write past its end shows.
  std::unique_ptr<char[]> buffer(new char[TEXT_BUFFER_SIZE]);
  std::memset(buffer.get(), 0x5A, TEXT_BUFFER_SIZE);
  copy_text(buffer.get(), tail);
  const void* terminator = std::memchr(buffer.get(), 0, TEXT_BUFFER_SIZE);
  FUZZ_CHECK(terminator != nullptr, "copy_text must terminate the buffer");
  const std::size_t kept = std::strlen(buffer.get());
  const std::size_t tail_length = model.size() - offset;
  FUZZ_CHECK(kept <= TEXT_BUFFER_SIZE - 1, "at most 2047 characters fit");
  FUZZ_CHECK(kept == (tail_length < TEXT_BUFFER_SIZE - 1 ? tail_length : TEXT_BUFFER_SIZE - 1),
             "copy_text keeps all it can");
  FUZZ_CHECK(std::memcmp(buffer.get(), tail, kept) == 0, "copy_text keeps the start of the tail");
  if (kept == tail_length) {
    FUZZ_CHECK(kept <= model.size() &&
                   std::memcmp(buffer.get(), model.data() + model.size() - kept, kept) == 0,
               "a whole tail is a suffix of the line");
  }
  FUZZ_CHECK(std::strcmp(line.data(), model.c_str()) == 0, "copy_text must not change its text");
  return 0;
}
