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
#endif

TEST(Fpu, FloatToIntWholeValues) {
  EXPECT_EQ(float_to_int(0.0), 0);
  EXPECT_EQ(float_to_int(21.0), 21);
  EXPECT_EQ(float_to_int(-7.0), -7);
}

}  // namespace
