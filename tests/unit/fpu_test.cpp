#include <gtest/gtest.h>

#include "fpu.h"

namespace {

#if defined(__i386__) || defined(__x86_64__)
constexpr unsigned PRECISION_BITS = 0x0300;
constexpr unsigned ROUNDING_BITS = 0x0C00;

TEST(Fpu, ExtendedPrecisionKeepsMasksAndRounding) {
  const unsigned before = fpu_control_word();
  fpu_set_extended_precision();
  const unsigned after = fpu_control_word();
  EXPECT_EQ(after & PRECISION_BITS, PRECISION_BITS);
  EXPECT_EQ(after & ~PRECISION_BITS, before & ~PRECISION_BITS);
}

TEST(Fpu, FloatToIntTruncatesAndLeavesTheControlWord) {
  fpu_set_extended_precision();
  const unsigned before = fpu_control_word();
  EXPECT_EQ(float_to_int(61.5), 61);
  EXPECT_EQ(float_to_int(21.12), 21);
  EXPECT_EQ(float_to_int(0.999), 0);
  EXPECT_EQ(float_to_int(-2.7), -2);
  EXPECT_EQ(float_to_int(-0.5), 0);
  EXPECT_EQ(float_to_int(41 + 0.5 * 41), 61);
  EXPECT_EQ(fpu_control_word(), before);
  EXPECT_EQ(before & ROUNDING_BITS, 0u) << "rounding mode must stay round-to-nearest";
}

void set_rounding(unsigned short mode) {
  unsigned short word = 0;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  word = static_cast<unsigned short>((word & ~ROUNDING_BITS) | mode);
  __asm__ volatile("fldcw %0" : : "m"(word));
}

TEST(Fpu, FloatToIntTruncatesUnderEveryRoundingMode) {
  const unsigned saved = fpu_control_word();
  const struct {
    unsigned short bits;
    const char* name;
  } modes[] = {{0x0000, "nearest"}, {0x0400, "down"}, {0x0800, "up"}, {0x0C00, "toward zero"}};
  const struct {
    double value;
    int truncated;
  } cases[] = {{2.5, 2}, {-2.5, -2}, {2.9999, 2}, {-0.5, 0}, {-2.9999, -2}, {3.5, 3}};
  for (const auto& mode : modes) {
    set_rounding(mode.bits);
    const unsigned in_mode = fpu_control_word();
    for (const auto& c : cases) {
      EXPECT_EQ(float_to_int(c.value), c.truncated) << c.value << " rounding " << mode.name;
    }
    EXPECT_EQ(fpu_control_word(), in_mode) << "the rounding mode was not put back: " << mode.name;
  }
  set_rounding(static_cast<unsigned short>(saved & ROUNDING_BITS));
  EXPECT_EQ(fpu_control_word(), saved);
}
#endif

TEST(Fpu, FloatToIntWholeValues) {
  EXPECT_EQ(float_to_int(0.0), 0);
  EXPECT_EQ(float_to_int(21.0), 21);
  EXPECT_EQ(float_to_int(-7.0), -7);
}

}  // namespace
