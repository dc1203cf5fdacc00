#include "string_functions.h"

#include <cctype>
#include <climits>
#include <cstdarg>
#include <cstddef>
#include <cstring>

#include "number_format.h"
#include "pool.h"

namespace {

str_clock read_clock = std::time;

// Text lengths as the pool's signed sizes. Every text the programs handle
// is far shorter than 2 GiB; a longer one could not be copied anyway.
int length_of(const char* text) {
  const std::size_t length = std::strlen(text);
  if (length > static_cast<std::size_t>(INT_MAX)) pool_out_of_memory();
  return static_cast<int>(length);
}

// A result whose size is a sum or product of lengths; too big for a block
// means the memory cannot be had.
int checked_size(long long size) {
  if (size > INT_MAX) pool_out_of_memory();
  return static_cast<int>(size);
}

// One block sized for length characters holding a copy of the text.
char* copy_of(const char* text, int length) {
  char* block = tmp_string(length);
  std::memcpy(block, text, static_cast<std::size_t>(length));
  return block;
}

bool trailing_space(char c) { return c == ' ' || c == '\t'; }

bool leading_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\r'; }

// The strftime formats of str_time, by index.
const char* const time_formats[] = {
    "%H:%M:%S", "%H", "%M", "%S", "%p", "%Y", "%m", "%d", "%A", "%w", "%j", "%U",
};
constexpr int TIME_FORMAT_COUNT = static_cast<int>(sizeof time_formats / sizeof time_formats[0]);
constexpr int TIME_BUFFER_SIZE = 256;

}  // namespace

int str_compare(const char* a, const char* b) {
  const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
  while (*x == *y) {
    if (*x == 0) return 0;
    ++x;
    ++y;
  }
  return *x < *y ? -1 : 1;
}

char* str_left(const char* text, int n) {
  const int length = length_of(text);
  char* block = copy_of(text, length);
  if (n < 0) n = 0;
  if (n < length) block[n] = '\0';
  return block;
}

char* str_mid(const char* text, int start, int length) {
  const int text_length = length_of(text);
  if (start < 1 || start > text_length) return tmp_string(1);
  const int remaining = text_length - start + 1;
  if (length < 0) length = remaining;
  // The block holds only what is copied: a huge length asks for no more
  // than what remains of the text.
  const int count = length < remaining ? length : remaining;
  char* block = tmp_string(count);
  std::memcpy(block, text + start - 1, static_cast<std::size_t>(count));
  return block;
}

char* str_right(const char* text, int n) {
  const int length = length_of(text);
  char* block = tmp_string(length);
  if (n < 0) n = 0;
  if (n > length) n = length;
  std::memcpy(block, text + length - n, static_cast<std::size_t>(n));
  return block;
}

char* str_trim(const char* text) {
  int length = length_of(text);
  char* block = copy_of(text, length);
  while (length > 0 && trailing_space(block[length - 1])) block[--length] = '\0';
  // The front gives up line ends too, but always leaves one character.
  int first = 0;
  while (length - first > 1 && leading_space(block[first])) ++first;
  if (first > 0) {
    std::memmove(block, block + first, static_cast<std::size_t>(length - first));
    std::memset(block + length - first, 0, static_cast<std::size_t>(first));
  }
  return block;
}

char* str_reverse(const char* text) {
  const int length = length_of(text);
  char* block = tmp_string(length);
  for (int i = 0; i < length; ++i) block[i] = text[length - 1 - i];
  return block;
}

char* str_upper(const char* text) {
  const int length = length_of(text);
  char* block = copy_of(text, length);
#ifdef _WIN32
  _strupr(block);
#else
  // The C library here has no _strupr; this is its default-locale effect.
  for (int i = 0; i < length; ++i) {
    if (block[i] >= 'a' && block[i] <= 'z') block[i] = static_cast<char>(block[i] - 'a' + 'A');
  }
#endif
  return block;
}

char* str_number(double number) {
  constexpr int requested = 16;
  static_assert(NUMBER_TEXT_SIZE <= requested + POOL_SPARE_BYTES, "the block holds every number");
  char* block = tmp_string(requested);
  // The longest "% .15g" text (22 characters) needs the spare bytes too.
  format_number(number, block);
  return block;
}

char* str_repeat(int count, const char* text) {
  const int length = length_of(text);
  if (count <= 0 || length == 0) return tmp_string(0);
  char* block = tmp_string(checked_size(static_cast<long long>(count) * length));
  char* end = block;
  for (int i = 0; i < count; ++i) {
    std::memcpy(end, text, static_cast<std::size_t>(length));
    end += length;
  }
  return block;
}

char* str_space(int n) {
  if (n < 0) n = 0;
  char* block = tmp_string(n);
  std::memset(block, ' ', static_cast<std::size_t>(n));
  return block;
}

char* str_time(int index) {
  char buffer[TIME_BUFFER_SIZE] = {};
  if (index >= 0 && index < TIME_FORMAT_COUNT) {
    const std::time_t now = read_clock(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local != nullptr) std::strftime(buffer, sizeof buffer, time_formats[index], local);
  }
  char* block = tmp_string(TIME_BUFFER_SIZE);
  std::memcpy(block, buffer, sizeof buffer);
  return block;
}

char* str_chars(int c1, int c2, int c3, int c4, int c5, int c6, int c7, int c8, int c9, int c10) {
  const int codes[] = {c1, c2, c3, c4, c5, c6, c7, c8, c9, c10};
  char* block = tmp_string(11);
  for (int i = 0; i < 10; ++i) block[i] = static_cast<char>(codes[i] & 0xFF);
  block[10] = '\0';
  return block;
}

char* str_join(int count, ...) {
  if (count <= 0) return tmp_string(0);
  va_list texts;
  va_start(texts, count);
  va_list again;
  va_copy(again, texts);
  long long total = 0;
  for (int i = 0; i < count; ++i) total += length_of(va_arg(texts, const char*));
  va_end(texts);
  char* block = tmp_string(checked_size(total));
  char* end = block;
  for (int i = 0; i < count; ++i) {
    const char* text = va_arg(again, const char*);
    const std::size_t length = std::strlen(text);
    std::memcpy(end, text, length);
    end += length;
  }
  va_end(again);
  return block;
}

int str_find(const char* text, const char* pattern, int start, int ignore_case) {
  if (text == nullptr || pattern == nullptr || pattern[0] == '\0') return 0;
  const int length = length_of(text);
  if (start > length) return 0;
  const char* from = start >= 1 ? text + start - 1 : text;
  const char* match =
      ignore_case != 0 ? str_find_nocase(from, pattern) : std::strstr(from, pattern);
  if (match == nullptr) return 0;
  return static_cast<int>(match - text) + 1;
}

const char* str_find_nocase(const char* text, const char* pattern) {
  const std::size_t text_length = std::strlen(text);
  const std::size_t pattern_length = std::strlen(pattern);
  if (pattern_length > text_length) return nullptr;
  for (std::size_t at = 0; at + pattern_length <= text_length; ++at) {
    std::size_t i = 0;
    while (i < pattern_length && std::toupper(static_cast<unsigned char>(text[at + i])) ==
                                     std::toupper(static_cast<unsigned char>(pattern[i]))) {
      ++i;
    }
    if (i == pattern_length) return text + at;
  }
  return nullptr;
}

int str_char_code(const char* text, int index) {
  if (index < 0) return 0;
  // Walk up to the index so that an index past the end reads nothing
  // beyond the terminator.
  for (int i = 0; i < index; ++i) {
    if (text[i] == '\0') return 0;
  }
  return static_cast<unsigned char>(text[index]);
}

void str_set_clock(str_clock clock) { read_clock = clock != nullptr ? clock : std::time; }
