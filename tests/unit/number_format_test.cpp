// format_number against the C library's own "% .15g" (glibc on the host,
// the MinGW printf under Wine, which is what the programs used before), over
// fixed edge cases and many generated values.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "number_format.h"

namespace {

std::string formatted(double value) {
  char text[NUMBER_TEXT_SIZE + 8];
  std::memset(text, 'x', sizeof text);
  const int length = format_number(value, text);
  EXPECT_EQ(static_cast<int>(std::strlen(text)), length);
  EXPECT_LT(length, NUMBER_TEXT_SIZE);
  return text;
}

std::string library(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "% .15g", value);
  return text;
}

double from_bits(std::uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// A fixed generator, so a failure repeats.
std::uint64_t next_random(std::uint64_t* state) {
  *state ^= *state << 13;
  *state ^= *state >> 7;
  *state ^= *state << 17;
  return *state;
}

// Compares one value and its negation; returns the number of mismatches.
int compare_both_signs(double value) {
  int mismatches = 0;
  for (const double v : {value, -value}) {
    const std::string mine = formatted(v);
    const std::string theirs = library(v);
    EXPECT_EQ(mine, theirs) << "for the value with bits " << std::hexfloat << v;
    if (mine != theirs) ++mismatches;
  }
  return mismatches;
}

TEST(FormatNumber, WritesTheFixedAndExponentForms) {
  EXPECT_EQ(formatted(0.0), " 0");
  EXPECT_EQ(formatted(-0.0), "-0");
  EXPECT_EQ(formatted(105), " 105");
  EXPECT_EQ(formatted(-0.75), "-0.75");
  EXPECT_EQ(formatted(1.0 / 3.0), " 0.333333333333333");
  EXPECT_EQ(formatted(0.0001), " 0.0001");
  EXPECT_EQ(formatted(0.00001), " 1e-05");
  EXPECT_EQ(formatted(999999999999999.0), " 999999999999999");
  EXPECT_EQ(formatted(1e15), " 1e+15");
  EXPECT_EQ(formatted(1e100), " 1e+100");
  EXPECT_EQ(formatted(-1.234567890123456e-300), "-1.23456789012346e-300");
  EXPECT_EQ(formatted(DBL_MAX), " 1.79769313486232e+308");
  EXPECT_EQ(formatted(std::numeric_limits<double>::denorm_min()), " 4.94065645841247e-324");
}

TEST(FormatNumber, RoundsHalfToEvenAndCarriesIntoTheExponent) {
  // Exact ties in the sixteenth digit.
  EXPECT_EQ(formatted(1234567890123425.0), " 1.23456789012342e+15");
  EXPECT_EQ(formatted(1234567890123435.0), " 1.23456789012344e+15");
  EXPECT_EQ(formatted(0.000125), " 0.000125");
  // Rounding up to a new leading digit changes the form.
  EXPECT_EQ(formatted(999999999999999.5), " 1e+15");
  EXPECT_EQ(formatted(9.999999999999995e-5), " 0.0001");
  EXPECT_EQ(formatted(9.9999999999999e-5), " 9.9999999999999e-05");
}

TEST(FormatNumber, InfinityAndNanAsTheLibraryWritesThem) {
  const double infinity = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(formatted(infinity), " inf");
  EXPECT_EQ(formatted(-infinity), "-inf");
  EXPECT_EQ(formatted(nan), " nan");
  EXPECT_EQ(formatted(-nan), library(-nan));
  EXPECT_EQ(formatted(from_bits(0x7FF0000000000001u)), library(from_bits(0x7FF0000000000001u)));
#ifdef _WIN32
  EXPECT_EQ(formatted(-nan), " nan");
#else
  EXPECT_EQ(formatted(-nan), "-nan");
#endif
}

TEST(FormatNumber, MatchesTheLibraryAtEdges) {
  int mismatches = 0;
  // Powers of ten and their neighbours, across the whole range.
  for (int power = -324; power <= 308; ++power) {
    const double value = std::pow(10.0, power);
    mismatches += compare_both_signs(value);
    mismatches += compare_both_signs(std::nextafter(value, 0.0));
    mismatches += compare_both_signs(std::nextafter(value, DBL_MAX));
  }
  // Subnormals, the largest values and the fixed-form boundaries.
  for (std::uint64_t bits : {0x1ull, 0x2ull, 0x000FFFFFFFFFFFFFull, 0x0010000000000000ull,
                             0x7FEFFFFFFFFFFFFFull, 0x7FEFFFFFFFFFFFFEull}) {
    mismatches += compare_both_signs(from_bits(bits));
  }
  for (double value : {9.99999999999999e-5, 9.999999999999994e-5, 9.999999999999996e-5,
                       999999999999999.4, 999999999999999.6, 99999999999999.95, 0.5, 1.5, 2.5}) {
    mismatches += compare_both_signs(value);
  }
  // Integers with sixteen digits end in an exact tie when their last digit is 5.
  std::uint64_t state = 0x9E3779B97F4A7C15u;
  for (int i = 0; i < 2000; ++i) {
    const std::uint64_t whole = 1000000000000000u + next_random(&state) % 8000000000000000u;
    mismatches += compare_both_signs(static_cast<double>(whole - whole % 10 + 5));
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(FormatNumber, MatchesTheLibraryForGeneratedValues) {
  int mismatches = 0;
  std::uint64_t state = 0x2545F4914F6CDD1Du;
  // Any bit pattern: mostly very large or very small magnitudes.
  for (int i = 0; i < 4000; ++i) {
    const double value = from_bits(next_random(&state));
    if (!std::isnan(value)) mismatches += compare_both_signs(value);
  }
  // Magnitudes a program meets: counters, fractions, short decimals.
  for (int i = 0; i < 20000; ++i) {
    const std::uint64_t random = next_random(&state);
    const double scale = std::pow(10.0, static_cast<int>(random % 40) - 20);
    const double value = static_cast<double>(random >> 20) / static_cast<double>(1u << 30) * scale;
    mismatches += compare_both_signs(value);
    mismatches += compare_both_signs(static_cast<double>(random % 100000) / 1000.0);
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
