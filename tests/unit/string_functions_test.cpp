#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "pool.h"
#include "string_functions.h"

namespace {

// Pool slots taken since `before`; the index wraps modulo POOL_SLOTS.
int steps_from(int before) { return (pool_index() - before + POOL_SLOTS) % POOL_SLOTS; }

// A text result must be the block the call just took, and the only one.
void expect_one_block(int before, const char* result) {
  EXPECT_EQ(steps_from(before), 1);
  EXPECT_EQ(result, pool_slot(pool_index()));
}

// Runs a text routine on a writable copy of `text`, checks that it took
// exactly one block and left its argument alone, and returns the result.
template <typename Call>
std::string run_on(const char* text, Call call) {
  char argument[256];
  std::snprintf(argument, sizeof argument, "%s", text);
  const int before = pool_index();
  const char* result = call(argument);
  expect_one_block(before, result);
  EXPECT_STREQ(argument, text) << "argument changed";
  return result;
}

std::string left(const char* text, int n) {
  return run_on(text, [n](const char* t) { return str_left(t, n); });
}
std::string mid(const char* text, int start, int length) {
  return run_on(text, [start, length](const char* t) { return str_mid(t, start, length); });
}
std::string right(const char* text, int n) {
  return run_on(text, [n](const char* t) { return str_right(t, n); });
}
std::string trim(const char* text) { return run_on(text, str_trim); }
std::string reverse(const char* text) { return run_on(text, str_reverse); }
std::string upper(const char* text) { return run_on(text, str_upper); }
std::string repeat(int count, const char* text) {
  return run_on(text, [count](const char* t) { return str_repeat(count, t); });
}

std::string number(double value) {
  const int before = pool_index();
  const char* result = str_number(value);
  expect_one_block(before, result);
  return result;
}

std::string space(int n) {
  const int before = pool_index();
  const char* result = str_space(n);
  expect_one_block(before, result);
  return result;
}

// The four searching and comparing routines take no block.
template <typename Call>
auto without_blocks(Call call) {
  const int before = pool_index();
  auto result = call();
  EXPECT_EQ(pool_index(), before);
  return result;
}

TEST(StrCompare, OrdersByUnsignedBytesAndGivesOnlyMinusOneZeroOrOne) {
  auto compare = [](const char* a, const char* b) {
    return without_blocks([=] { return str_compare(a, b); });
  };
  EXPECT_EQ(compare("abc", "abc"), 0);
  EXPECT_EQ(compare("", ""), 0);
  EXPECT_EQ(compare("ab", "abc"), -1);
  EXPECT_EQ(compare("abc", "ab"), 1);
  EXPECT_EQ(compare("", "a"), -1);
  EXPECT_EQ(compare("a", "z"), -1);
  EXPECT_EQ(compare("z", "a"), 1);
  EXPECT_EQ(compare("\xC8", "A"), 1);
  EXPECT_EQ(compare("A", "\xC8"), -1);
  EXPECT_EQ(compare("x\x80", "x\x7F"), 1);
  EXPECT_EQ(compare("Abc", "abc"), -1);
}

TEST(StrLeft, CutsAfterNCharactersWithinTheText) {
  EXPECT_EQ(left("abcdef", 2), "ab");
  EXPECT_EQ(left("abcdef", 6), "abcdef");
  EXPECT_EQ(left("abcdef", 50), "abcdef");
  EXPECT_EQ(left("abcdef", 0), "");
  EXPECT_EQ(left("abcdef", -3), "");
  EXPECT_EQ(left("", 4), "");
}

TEST(StrMid, TakesLengthCharactersFromAOneBasedStart) {
  EXPECT_EQ(mid("abcdef", 3, 2), "cd");
  EXPECT_EQ(mid("abcdef", 1, 1), "a");
  EXPECT_EQ(mid("abcdef", 3, 0), "");
}

TEST(StrMid, NegativeLengthOrShortTextRunsToTheEnd) {
  EXPECT_EQ(mid("abcdef", 3, -1), "cdef");
  EXPECT_EQ(mid("abcdef", 1, -7), "abcdef");
  EXPECT_EQ(mid("abcdef", 6, 5), "f");
  EXPECT_EQ(mid("abcdef", 4, 3), "def");
}

TEST(StrMid, StartOutsideTheTextGivesTheEmptyString) {
  EXPECT_EQ(mid("abcdef", 7, 2), "");
  EXPECT_EQ(mid("abcdef", 0, 2), "");
  EXPECT_EQ(mid("abcdef", -4, -1), "");
  EXPECT_EQ(mid("", 1, 1), "");
}

// The pool's allocator, watched: it records the largest size asked for and
// never hands out more than a small block, so an oversized request shows
// in the record instead of being met. The routines checked here write only
// what they asked for, which fits that block.
std::size_t largest_request = 0;
void* watching_calloc(std::size_t count, std::size_t size) {
  const std::size_t bytes = count * size;
  if (bytes > largest_request) largest_request = bytes;
  return std::calloc(bytes < 4096 ? bytes : 4096, 1);
}

class BlockRequest : public testing::Test {
 protected:
  void SetUp() override {
    largest_request = 0;
    pool_set_allocator(watching_calloc);
  }
  void TearDown() override { pool_set_allocator(nullptr); }
};

TEST_F(BlockRequest, StrMidAsksOnlyForWhatItCopiesWhenLengthRunsPastTheEnd) {
  EXPECT_EQ(mid("abc", 1, INT_MAX), "abc");
  EXPECT_LE(largest_request, 3u + POOL_SPARE_BYTES);
  largest_request = 0;
  EXPECT_EQ(mid("abcdef", 5, 1000000), "ef");
  EXPECT_LE(largest_request, 2u + POOL_SPARE_BYTES);
}

TEST_F(BlockRequest, StrMidLengthWithinTheTextIsAskedForExactly) {
  EXPECT_EQ(mid("abcdef", 3, 2), "cd");
  EXPECT_EQ(largest_request, 2u + POOL_SPARE_BYTES);
}

TEST_F(BlockRequest, StrJoinAsksForAllTheTextsTogether) {
  // Longer than the spare bytes together, so a block sized for one text
  // would overflow.
  const std::string first(100, 'a');
  const std::string second(90, 'b');
  const char* result = str_join(3, first.c_str(), second.c_str(), "c");
  EXPECT_EQ(largest_request, 191u + POOL_SPARE_BYTES);
  EXPECT_EQ(std::string(result), first + second + "c");
}

TEST(StrRight, KeepsTheLastNCharacters) {
  EXPECT_EQ(right("abc", 2), "bc");
  EXPECT_EQ(right("abc", 3), "abc");
  EXPECT_EQ(right("abc", 5), "abc");
  EXPECT_EQ(right("abc", 0), "");
  EXPECT_EQ(right("abc", -1), "");
  EXPECT_EQ(right("", 2), "");
}

TEST(StrRight, CutsTwoDigitFieldsFromCountersAbove100) {
  const char* field = str_right(str_number(105), 2);
  EXPECT_STREQ(field, "05");
  EXPECT_STREQ(str_right(str_number(159), 2), "59");
}

TEST(StrTrim, RemovesBlanksAndTabsAtBothEnds) {
  EXPECT_EQ(trim("  a b \t"), "a b");
  EXPECT_EQ(trim("\t\tword"), "word");
  EXPECT_EQ(trim("word \t "), "word");
  EXPECT_EQ(trim("word"), "word");
  EXPECT_EQ(trim(""), "");
}

TEST(StrTrim, TextOfOnlyBlanksAndTabsBecomesEmpty) {
  EXPECT_EQ(trim("   "), "");
  EXPECT_EQ(trim(" \t "), "");
  EXPECT_EQ(trim("\t"), "");
}

TEST(StrTrim, LineEndsGoAtTheFrontButStayAtTheEnd) {
  EXPECT_EQ(trim("\na"), "a");
  EXPECT_EQ(trim("a\n"), "a\n");
  EXPECT_EQ(trim("\t\v\r\n x"), "x");
  EXPECT_EQ(trim("a \r"), "a \r");
  // The front never takes the last remaining character.
  EXPECT_EQ(trim("\r\n"), "\n");
  EXPECT_EQ(trim("\n"), "\n");
  EXPECT_EQ(trim(" \v "), "\v");
}

TEST(StrTrim, FormFeedIsNotSkipped) {
  EXPECT_EQ(trim("\f a"), "\f a");
  EXPECT_EQ(trim(" \fa"), "\fa");
}

TEST(StrTrim, ShiftedResultLeavesNoTailBehind) {
  // The copy moves forward; the bytes it leaves must not extend the text.
  const std::string result = trim("    ab");
  EXPECT_EQ(result, "ab");
  EXPECT_EQ(std::strlen(pool_slot(pool_index())), 2u);
}

TEST(StrReverse, ReversesEveryByte) {
  EXPECT_EQ(reverse("abc"), "cba");
  EXPECT_EQ(reverse("ab"), "ba");
  EXPECT_EQ(reverse("x"), "x");
  EXPECT_EQ(reverse(""), "");
  EXPECT_EQ(reverse("a\xE9 z"),
            "z \xE9"
            "a");
}

TEST(StrUpper, CapitalisesOnlyAToZ) {
  EXPECT_EQ(upper("abcxyz"), "ABCXYZ");
  EXPECT_EQ(upper("Mixed Case 42!"), "MIXED CASE 42!");
  // Neighbours of the range and bytes above 127 are unchanged.
  EXPECT_EQ(upper("`{@[\xE9\xFF"), "`{@[\xE9\xFF");
  EXPECT_EQ(upper(""), "");
}

TEST(StrNumber, NonNegativeValuesGetALeadingBlank) {
  EXPECT_EQ(number(0), " 0");
  EXPECT_EQ(number(5), " 5");
  EXPECT_EQ(number(105), " 105");
  EXPECT_EQ(number(0.5), " 0.5");
  EXPECT_EQ(number(2.25), " 2.25");
}

TEST(StrNumber, NegativeValuesGetAMinusSign) {
  EXPECT_EQ(number(-2), "-2");
  EXPECT_EQ(number(-5), "-5");
  EXPECT_EQ(number(-0.75), "-0.75");
}

TEST(StrNumber, KeepsFifteenSignificantDigits) {
  EXPECT_EQ(number(1.0 / 3.0), " 0.333333333333333");
  EXPECT_EQ(number(123456789012345.0), " 123456789012345");
  EXPECT_EQ(number(-2.0 / 3.0), "-0.666666666666667");
}

TEST(StrNumber, ExponentFormOnlyOutsideTheFixedRange) {
  EXPECT_EQ(number(0.0001), " 0.0001");
  EXPECT_EQ(number(999999999999999.0), " 999999999999999");
  // Exponent digits vary between C libraries; check the shape only.
  EXPECT_EQ(number(1e15).rfind(" 1e+", 0), 0u);
  EXPECT_EQ(number(0.00001).rfind(" 1e-", 0), 0u);
}

TEST(StrNumber, LongestTextOutgrowsTheSixteenRequestedCharacters) {
  // 22 characters: the spare bytes of the block must hold it whole.
  const std::string text = number(-1.234567890123456e-300);
  EXPECT_EQ(text.rfind("-1.23456789012346e-", 0), 0u);
  EXPECT_GE(text.size(), 22u);
}

TEST(StrRepeat, JoinsCountCopies) {
  EXPECT_EQ(repeat(3, "ab"), "ababab");
  EXPECT_EQ(repeat(1, "xyz"), "xyz");
  EXPECT_EQ(repeat(200, "q"), std::string(200, 'q'));
}

TEST(StrRepeat, NoCopiesOrEmptyTextGivesTheEmptyString) {
  EXPECT_EQ(repeat(0, "ab"), "");
  EXPECT_EQ(repeat(-1, "ab"), "");
  EXPECT_EQ(repeat(5, ""), "");
}

#ifndef _WIN32
// A result longer than INT_MAX characters cannot be had: the program ends
// through the pool's out-of-memory exit instead of writing past a block
// sized by a wrapped length. (Windows shows a box here, which no test can
// answer; death tests run on the host only.)
TEST(StrRepeat, ResultOverIntMaxEndsTheProgramWithCode1) {
  struct Case {
    int count;
    const char* text;
  };
  for (const Case& c :
       {Case{INT_MAX, "ab"}, Case{INT_MAX / 2 + 1, "ab"}, Case{INT_MAX / 3 + 1, "xyz"}}) {
    EXPECT_EXIT(str_repeat(c.count, c.text), testing::ExitedWithCode(1),
                "Out of memory: the program has to close.")
        << c.count << " x " << c.text;
  }
}
#endif

TEST(StrSpace, GivesNBlanks) {
  EXPECT_EQ(space(3), "   ");
  EXPECT_EQ(space(1), " ");
  EXPECT_EQ(space(500), std::string(500, ' '));
  EXPECT_EQ(space(0), "");
  EXPECT_EQ(space(-4), "");
}

TEST(StrChars, TakesTheLowByteOfEachCodeUpToTheFirstZero) {
  auto chars = [](int c1, int c2, int c3, int c4, int c5, int c6, int c7, int c8, int c9, int c10) {
    const int before = pool_index();
    const char* result = str_chars(c1, c2, c3, c4, c5, c6, c7, c8, c9, c10);
    expect_one_block(before, result);
    return std::string(result);
  };
  EXPECT_EQ(chars(72, 105, 0, 0, 0, 0, 0, 0, 0, 0), "Hi");
  EXPECT_EQ(chars(72, 0, 105, 0, 0, 0, 0, 0, 0, 0), "H");
  EXPECT_EQ(chars(13, 10, 0, 0, 0, 0, 0, 0, 0, 0), "\r\n");
  EXPECT_EQ(chars(13, 0, 0, 0, 0, 0, 0, 0, 0, 0), "\r");
  EXPECT_EQ(chars(0, 65, 66, 0, 0, 0, 0, 0, 0, 0), "");
  EXPECT_EQ(chars(49, 50, 51, 52, 53, 54, 55, 56, 57, 48), "1234567890");
  // Only the low 8 bits count: 256 ends the text like 0 does.
  EXPECT_EQ(chars(0x141, 0x1FF, -191, 256, 67, 0, 0, 0, 0, 0),
            "A\xFF"
            "A");
}

TEST(StrJoin, AppendsTheTextsInOrder) {
  char first[] = "a";
  char empty[] = "";
  char last[] = "b";
  const int before = pool_index();
  const char* result = str_join(3, first, empty, last);
  expect_one_block(before, result);
  EXPECT_STREQ(result, "ab");
  EXPECT_STREQ(first, "a");
  EXPECT_STREQ(last, "b");

  const int again = pool_index();
  const char* title = str_join(5, "01", ":", "02", ":", "03");
  expect_one_block(again, title);
  EXPECT_STREQ(title, "01:02:03");
}

TEST(StrJoin, NoTextsGivesTheEmptyString) {
  for (int count : {0, -2}) {
    const int before = pool_index();
    const char* result = str_join(count);
    expect_one_block(before, result);
    EXPECT_STREQ(result, "");
  }
}

int find(const char* text, const char* pattern, int start, int ignore_case) {
  return without_blocks([=] { return str_find(text, pattern, start, ignore_case); });
}

TEST(StrFind, CountsFromTheStartOfTheWholeText) {
  EXPECT_EQ(find("hello", "lo", 1, 0), 4);
  EXPECT_EQ(find("hello", "lo", 4, 0), 4);
  EXPECT_EQ(find("hello", "lo", 5, 0), 0);
  EXPECT_EQ(find("hello", "h", 1, 0), 1);
  EXPECT_EQ(find("hello", "o", 5, 0), 5);
  EXPECT_EQ(find("abcabc", "abc", 2, 0), 4);
  EXPECT_EQ(find("hello", "xyz", 1, 0), 0);
}

TEST(StrFind, StartBelowOneSearchesFromTheBeginning) {
  EXPECT_EQ(find("hello", "lo", 0, 0), 4);
  EXPECT_EQ(find("hello", "he", -3, 0), 1);
}

TEST(StrFind, StartPastTheEndEmptyOrAbsentTextsGiveZero) {
  EXPECT_EQ(find("hello", "lo", 6, 0), 0);
  EXPECT_EQ(find("hello", "lo", 100, 1), 0);
  EXPECT_EQ(find("hello", "", 1, 0), 0);
  EXPECT_EQ(find("hello", "", 1, 1), 0);
  EXPECT_EQ(find(nullptr, "lo", 1, 0), 0);
  EXPECT_EQ(find("hello", nullptr, 1, 1), 0);
  EXPECT_EQ(find(nullptr, nullptr, 1, 0), 0);
  EXPECT_EQ(find("", "a", 1, 0), 0);
}

TEST(StrFind, IgnoreCaseFlagSelectsTheCaseInsensitiveSearch) {
  EXPECT_EQ(find("hello", "LO", 1, 0), 0);
  EXPECT_EQ(find("hello", "LO", 1, 1), 4);
  EXPECT_EQ(find("hello", "LO", 1, -5), 4);
  EXPECT_EQ(find("HeLLo hello", "hello", 2, 1), 7);
}

TEST(StrFindNocase, MatchesAToZAcrossCaseOnly) {
  auto nocase = [](const char* text, const char* pattern) {
    return without_blocks([=] { return str_find_nocase(text, pattern); });
  };
  const char* text = "Say HeLLo";
  EXPECT_EQ(nocase(text, "hello"), text + 4);
  EXPECT_EQ(nocase(text, "S"), text);
  EXPECT_EQ(nocase(text, "llo"), text + 6);
  EXPECT_EQ(nocase(text, "hellos"), nullptr);
  EXPECT_EQ(nocase("ab", "abc"), nullptr);
  // Neighbours of the letter ranges must still be equal.
  EXPECT_EQ(nocase("[x]", "{X}"), nullptr);
  EXPECT_EQ(nocase("a@", "A`"), nullptr);
  EXPECT_EQ(nocase("\xE9", "\xC9"), nullptr);
  // Other bytes match themselves, letters after them still fold.
  const char* accented = "x\xE9y";
  EXPECT_EQ(nocase(accented, "\xE9Y"), accented + 1);
}

TEST(StrCharCode, GivesUnsignedBytesAndZeroAtTheTerminator) {
  auto code = [](const char* text, int index) {
    return without_blocks([=] { return str_char_code(text, index); });
  };
  EXPECT_EQ(code("abc", 0), 97);
  EXPECT_EQ(code("abc", 2), 99);
  EXPECT_EQ(code("abc", 3), 0);
  EXPECT_EQ(code("", 0), 0);
  EXPECT_EQ(code("\xC8z", 0), 200);
  EXPECT_EQ(code("\xFF", 0), 255);
}

TEST(StrCharCode, IndexOutsideTheTextGivesZero) {
  // A heap block of exactly the text lets the sanitizer catch a read
  // outside it.
  const std::vector<char> text{'a', 'b', 'c', '\0'};
  EXPECT_EQ(str_char_code(text.data(), 10), 0);
  EXPECT_EQ(str_char_code(text.data(), 4), 0);
  EXPECT_EQ(str_char_code(text.data(), -1), 0);
}

// str_time reads this instead of the system clock.
std::time_t fixed_now = 0;
std::time_t fixed_clock(std::time_t* out) {
  if (out != nullptr) *out = fixed_now;
  return fixed_now;
}

// A moment whose local weekday is Sunday, in whatever zone the test runs.
std::time_t local_sunday_afternoon() {
  std::time_t t = 1700000000;  // mid-November 2023
  for (int i = 0; i < 8; ++i, t += 24 * 60 * 60) {
    const std::tm* local = std::localtime(&t);
    if (local != nullptr && local->tm_wday == 0) {
      // Move to 15:04:05 local on that day.
      return t + (15 - local->tm_hour) * 3600 + (4 - local->tm_min) * 60 + (5 - local->tm_sec);
    }
  }
  return t;
}

class StrTime : public testing::Test {
 protected:
  void SetUp() override { str_set_clock(fixed_clock); }
  void TearDown() override { str_set_clock(nullptr); }

  static std::string at(int index) {
    const int before = pool_index();
    const char* result = str_time(index);
    expect_one_block(before, result);
    return result;
  }
};

TEST_F(StrTime, FieldsFollowTheLocalTimeOfTheClock) {
  fixed_now = local_sunday_afternoon();
  const std::tm local = *std::localtime(&fixed_now);
  ASSERT_EQ(local.tm_wday, 0);
  char expected[32];
  std::snprintf(expected, sizeof expected, "%02d:%02d:%02d", local.tm_hour, local.tm_min,
                local.tm_sec);
  EXPECT_EQ(at(0), expected);
  EXPECT_EQ(at(1), "15");
  EXPECT_EQ(at(2), "04");
  EXPECT_EQ(at(3), "05");
  EXPECT_EQ(at(4), "PM");
  EXPECT_EQ(at(5), std::to_string(local.tm_year + 1900));
  std::snprintf(expected, sizeof expected, "%02d", local.tm_mon + 1);
  EXPECT_EQ(at(6), expected);
  std::snprintf(expected, sizeof expected, "%02d", local.tm_mday);
  EXPECT_EQ(at(7), expected);
  EXPECT_EQ(at(8), "Sunday");
  EXPECT_EQ(at(9), "0");
  std::snprintf(expected, sizeof expected, "%03d", local.tm_yday + 1);
  EXPECT_EQ(at(10), expected);
  // Weeks begin on Sunday, so a Sunday starts week (yday + 7) / 7.
  std::snprintf(expected, sizeof expected, "%02d", (local.tm_yday + 7) / 7);
  EXPECT_EQ(at(11), expected);
}

TEST_F(StrTime, FollowsTheClockFromOneCallToTheNext) {
  fixed_now = local_sunday_afternoon();
  const std::string sunday = at(9);
  fixed_now += 9 * 3600;  // Monday, just after midnight
  EXPECT_EQ(sunday, "0");
  EXPECT_EQ(at(9), "1");
  EXPECT_EQ(at(8), "Monday");
  EXPECT_EQ(at(4), "AM");
  EXPECT_EQ(at(0), "00:04:05");
}

TEST_F(StrTime, IndexOutsideTheTableGivesTheEmptyString) {
  fixed_now = local_sunday_afternoon();
  EXPECT_EQ(at(12), "");
  EXPECT_EQ(at(-1), "");
  EXPECT_EQ(at(1000), "");
}

TEST(StrTimeClock, NullClockRestoresTheSystemTime) {
  str_set_clock(fixed_clock);
  str_set_clock(nullptr);
  const std::time_t now = std::time(nullptr);
  const std::string year = str_time(5);
  const std::time_t after = std::time(nullptr);
  const int first = std::localtime(&now)->tm_year + 1900;
  const int last = std::localtime(&after)->tm_year + 1900;
  EXPECT_TRUE(year == std::to_string(first) || year == std::to_string(last)) << year;
}

TEST(StrPool, TextRoutinesStepTheIndexAcrossTheWrap) {
  // Bring the index to the last slot so the next block lands in slot 0
  // (within one lap: a ring that never gets there fails here).
  for (int i = 0; i < POOL_SLOTS && pool_index() != POOL_SLOTS - 1; ++i) tmp_string(0);
  ASSERT_EQ(pool_index(), POOL_SLOTS - 1);
  const char* result = str_left("wrap", 2);
  EXPECT_EQ(pool_index(), 0);
  EXPECT_EQ(pool_slot(0), result);
  EXPECT_STREQ(result, "wr");
}

}  // namespace
