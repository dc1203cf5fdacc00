// Every text routine of the runtime against a small model of what it must
// give, with counts, starts and indexes drawn mostly from the edges
// (INT_MIN, -1, 0, the text length and its neighbours, INT_MAX).
//
// Input: byte 0 picks the routine; three integer arguments follow, each a
// mode byte and four raw bytes; the rest is the text, and after its first
// zero byte the pattern (str_compare, str_find, str_find_nocase).
#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "pool.h"
#include "string_functions.h"

namespace {

// Repeated and blank results are kept below this, so that 2048 of them
// alive in the pool still fit comfortably in memory.
constexpr long long RESULT_CAP = 64 * 1024;
constexpr std::size_t HEADER_SIZE = 16;

struct argument {
  std::uint8_t mode;
  std::uint32_t raw;
};

argument read_argument(const std::uint8_t* at) {
  argument a{at[0], 0};
  std::memcpy(&a.raw, at + 1, sizeof a.raw);
  return a;
}

// Mostly the values where off-by-one and overflow faults live.
int pick(const argument& a, int length) {
  switch (a.mode % 16) {
    case 0:
      return INT_MIN;
    case 1:
      return INT_MIN + 1;
    case 2:
      return -2;
    case 3:
      return -1;
    case 4:
      return 0;
    case 5:
      return 1;
    case 6:
      return 2;
    case 7:
      return length - 1;
    case 8:
      return length;
    case 9:
      return length + 1;
    case 10:
      return INT_MAX - 1;
    case 11:
      return INT_MAX;
    case 12:
    case 13:
      return static_cast<int>(a.raw % static_cast<std::uint32_t>(length + 17)) - 8;
    default:
      return static_cast<int>(a.raw);
  }
}

char upper_ascii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string upper_model(std::string text) {
  for (char& c : text) c = upper_ascii(c);
  return text;
}

// Position (0-based) of the first match at or after from, or npos.
std::size_t find_model(const std::string& text, const std::string& pattern, std::size_t from,
                       bool ignore_case) {
  if (!ignore_case) return text.find(pattern, from);
  return upper_model(text).find(upper_model(pattern), from);
}

int sign_of(int value) { return (value > 0) - (value < 0); }

std::time_t fuzzed_now = 0;
std::time_t fuzzed_clock(std::time_t* out) {
  if (out != nullptr) *out = fuzzed_now;
  return fuzzed_now;
}

const char* const time_formats[] = {
    "%H:%M:%S", "%H", "%M", "%S", "%p", "%Y", "%m", "%d", "%A", "%w", "%j", "%U",
};

void check_compare(const std::string& a, const std::string& b) {
  std::vector<char> x = exact_text(a), y = exact_text(b);
  const int forward = no_block([&] { return str_compare(x.data(), y.data()); });
  const int backward = no_block([&] { return str_compare(y.data(), x.data()); });
  FUZZ_CHECK(forward == sign_of(a.compare(b)), "str_compare orders unsigned bytes");
  FUZZ_CHECK(backward == -forward, "str_compare must be antisymmetric");
  FUZZ_CHECK(str_compare(x.data(), x.data()) == 0, "a text equals itself");
}

void check_mid(const std::vector<char>& text, const std::string& model, int start, int length) {
  const int text_length = static_cast<int>(model.size());
  const pooled_text r = one_block([&] { return str_mid(text.data(), start, length); });
  if (start < 1 || start > text_length) {
    expect_text(r.text, "", "str_mid outside the text is empty");
    FUZZ_CHECK(r.requested <= 1, "str_mid outside the text asks for at most 1 character");
    return;
  }
  const int remaining = text_length - start + 1;
  const int count = length < 0 || length > remaining ? remaining : length;
  expect_text(r.text,
              model.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)),
              "str_mid takes length characters from start");
  FUZZ_CHECK(r.requested <= remaining, "str_mid asks for no more than remains");
}

void check_find(const std::string& text, const std::string& pattern, int start, const argument& c) {
  std::vector<char> t = exact_text(text), p = exact_text(pattern);
  // Now and then one of the texts is absent.
  const bool text_absent = c.mode % 16 == 1, pattern_absent = c.mode % 16 == 2;
  const int ignore_case = static_cast<int>(c.raw);
  const int found = no_block([&] {
    return str_find(text_absent ? nullptr : t.data(), pattern_absent ? nullptr : p.data(), start,
                    ignore_case);
  });
  int expected = 0;
  if (!text_absent && !pattern_absent && !pattern.empty() &&
      start <= static_cast<int>(text.size())) {
    const std::size_t from = start >= 1 ? static_cast<std::size_t>(start - 1) : 0;
    const std::size_t at = find_model(text, pattern, from, ignore_case != 0);
    if (at != std::string::npos) expected = static_cast<int>(at) + 1;
  }
  FUZZ_CHECK(found == expected, "str_find gives the 1-based place in the whole text");
  FUZZ_CHECK(
      std::strcmp(t.data(), text.c_str()) == 0 && std::strcmp(p.data(), pattern.c_str()) == 0,
      "str_find must leave its texts alone");
}

void check_find_nocase(const std::string& text, const std::string& pattern) {
  if (pattern.empty()) return;  // str_find turns an empty pattern away first
  std::vector<char> t = exact_text(text), p = exact_text(pattern);
  const char* found = no_block([&] { return str_find_nocase(t.data(), p.data()); });
  const std::size_t at = find_model(text, pattern, 0, true);
  if (at == std::string::npos) {
    FUZZ_CHECK(found == nullptr, "str_find_nocase must find nothing");
  } else {
    FUZZ_CHECK(found == t.data() + at, "str_find_nocase gives the first match");
  }
}

void check_char_code(const std::vector<char>& text, const std::string& model, int index) {
  const int code = no_block([&] { return str_char_code(text.data(), index); });
  int expected = 0;
  if (index >= 0 && index < static_cast<int>(model.size())) {
    expected = static_cast<unsigned char>(model[static_cast<std::size_t>(index)]);
  }
  FUZZ_CHECK(code == expected, "str_char_code gives the byte, 0 outside the text");
}

void check_chars(const std::uint8_t* data, std::size_t size, const argument& a, const argument& b) {
  int codes[10];
  for (int i = 0; i < 10; ++i) {
    std::uint32_t raw = 0;
    const std::size_t at = static_cast<std::size_t>(i) * 4;
    if (at < size) std::memcpy(&raw, data + at, size - at < 4 ? size - at : 4);
    codes[i] = static_cast<int>(raw);
  }
  // The first two codes can be edge values too, 255 to 257 among them.
  if (a.mode % 16 != 15) codes[0] = pick(a, 256);
  if (b.mode % 16 != 15) codes[1] = pick(b, 256);
  const pooled_text r = one_block([&] {
    return str_chars(codes[0], codes[1], codes[2], codes[3], codes[4], codes[5], codes[6], codes[7],
                     codes[8], codes[9]);
  });
  std::string expected;
  for (int code : codes) {
    if ((code & 0xFF) == 0) break;
    expected += static_cast<char>(code & 0xFF);
  }
  expect_text(r.text, expected, "str_chars keeps low bytes up to the first zero");
  FUZZ_CHECK(r.requested == 11, "str_chars asks for 11 characters");
}

void check_time(const argument& a, const argument& b, const argument& c) {
  const int index = pick(a, 12);
  std::int64_t now = static_cast<std::int64_t>((static_cast<std::uint64_t>(c.raw) << 32) | b.raw);
  if (b.mode % 4 == 0) now = static_cast<std::int32_t>(b.raw);  // ordinary dates too
  fuzzed_now = static_cast<std::time_t>(now);
  str_set_clock(fuzzed_clock);
  const pooled_text r = one_block([&] { return str_time(index); });
  str_set_clock(nullptr);
  char expected[256] = {};
  if (index >= 0 && index < 12) {
    const std::tm* local = std::localtime(&fuzzed_now);
    if (local != nullptr) std::strftime(expected, sizeof expected, time_formats[index], local);
  }
  expect_text(r.text, expected, "str_time formats the clock's local time");
  FUZZ_CHECK(r.requested == 256, "str_time asks for 256 characters");
}

void check_number(const argument& a, const argument& b, const argument& c) {
  double value;
  if (c.mode % 2 == 1) {
    const std::uint64_t bits = (static_cast<std::uint64_t>(b.raw) << 32) | a.raw;
    std::memcpy(&value, &bits, sizeof value);  // any double: NaN, infinities, subnormals
  } else {
    value = static_cast<double>(pick(a, 100)) / (b.mode % 2 == 1 ? 1000.0 : 1.0);
  }
  const pooled_text r = one_block([&] { return str_number(value); });
  char expected[64];
  std::snprintf(expected, sizeof expected, "% .15g", value);
  expect_text(r.text, expected, "str_number writes % .15g");
  FUZZ_CHECK(r.requested == 16, "str_number asks for 16 characters");
  FUZZ_CHECK(std::strlen(r.text) < 16 + POOL_SPARE_BYTES, "str_number fits its block");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  install_counting_allocator();
  std::uint8_t header[HEADER_SIZE] = {};
  std::memcpy(header, data, size < HEADER_SIZE ? size : HEADER_SIZE);
  const std::uint8_t* rest = data + (size < HEADER_SIZE ? size : HEADER_SIZE);
  const std::size_t rest_size = size < HEADER_SIZE ? 0 : size - HEADER_SIZE;

  const argument a = read_argument(header + 1), b = read_argument(header + 6),
                 c = read_argument(header + 11);
  const std::string model = c_text(rest, rest_size);
  const std::size_t pattern_at = model.size() < rest_size ? model.size() + 1 : rest_size;
  const std::string pattern = c_text(rest + pattern_at, rest_size - pattern_at);
  const int length = static_cast<int>(model.size());
  const std::vector<char> text = exact_text(model);

  switch (header[0] % 15) {
    case 0:
      check_compare(model, pattern);
      break;
    case 1: {
      const int n = pick(a, length);
      const pooled_text r = one_block([&] { return str_left(text.data(), n); });
      expect_text(r.text, model.substr(0, static_cast<std::size_t>(n < 0 ? 0 : n)),
                  "str_left keeps the first n characters");
      FUZZ_CHECK(r.requested == length, "str_left asks for the text's length");
      break;
    }
    case 2:
      check_mid(text, model, pick(a, length), pick(b, length));
      break;
    case 3: {
      int n = pick(a, length);
      const pooled_text r = one_block([&] { return str_right(text.data(), n); });
      n = n < 0 ? 0 : n > length ? length : n;
      expect_text(r.text, model.substr(model.size() - static_cast<std::size_t>(n)),
                  "str_right keeps the last n characters");
      FUZZ_CHECK(r.requested == length, "str_right asks for the text's length");
      break;
    }
    case 4: {
      const pooled_text r = one_block([&] { return str_trim(text.data()); });
      std::string expected = model;
      while (!expected.empty() && (expected.back() == ' ' || expected.back() == '\t')) {
        expected.pop_back();
      }
      std::size_t first = 0;
      while (expected.size() - first > 1 && std::strchr(" \t\n\v\r", expected[first]) != nullptr) {
        ++first;
      }
      expect_text(r.text, expected.substr(first), "str_trim");
      FUZZ_CHECK(r.requested == length, "str_trim asks for the text's length");
      break;
    }
    case 5: {
      const pooled_text r = one_block([&] { return str_reverse(text.data()); });
      expect_text(r.text, std::string(model.rbegin(), model.rend()), "str_reverse");
      FUZZ_CHECK(r.requested == length, "str_reverse asks for the text's length");
      break;
    }
    case 6: {
      const pooled_text r = one_block([&] { return str_upper(text.data()); });
      expect_text(r.text, upper_model(model), "str_upper changes a to z only");
      FUZZ_CHECK(r.requested == length, "str_upper asks for the text's length");
      break;
    }
    case 7:
      check_number(a, b, c);
      break;
    case 8: {
      int count = pick(a, 3);
      if (length > 0 && count > 0 && static_cast<long long>(count) * length > RESULT_CAP) {
        count = static_cast<int>(RESULT_CAP / length);
      }
      const pooled_text r = one_block([&] { return str_repeat(count, text.data()); });
      std::string expected;
      for (int i = 0; length > 0 && i < count; ++i) expected += model;
      expect_text(r.text, expected, "str_repeat joins count copies");
      FUZZ_CHECK(r.requested == static_cast<long long>(expected.size()),
                 "str_repeat asks for the result's length");
      break;
    }
    case 9: {
      int n = pick(b, 8);
      if (n > RESULT_CAP) n = static_cast<int>(n % (RESULT_CAP + 1));
      const pooled_text r = one_block([&] { return str_space(n); });
      expect_text(r.text, std::string(static_cast<std::size_t>(n < 0 ? 0 : n), ' '), "str_space");
      FUZZ_CHECK(r.requested == (n < 0 ? 0 : n), "str_space asks for n characters");
      break;
    }
    case 10:
      check_time(a, b, c);
      break;
    case 11:
      check_chars(rest, rest_size, a, b);
      break;
    case 12:
      check_find(model, pattern, pick(a, length), c);
      break;
    case 13:
      check_find_nocase(model, pattern);
      break;
    default:
      check_char_code(text, model, pick(a, length));
      break;
  }
  // No routine may change its text argument.
  FUZZ_CHECK(std::strcmp(text.data(), model.c_str()) == 0, "argument changed");
  return 0;
}
