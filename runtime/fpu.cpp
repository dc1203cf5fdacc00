#include "fpu.h"

#if defined(__i386__) || defined(__x86_64__)
#define OMBREL_X87 1
#endif

namespace {

#ifdef OMBREL_X87
constexpr unsigned short PRECISION_MASK = 0x0300;
constexpr unsigned short PRECISION_EXTENDED = 0x0300;
constexpr unsigned short ROUNDING_MASK = 0x0C00;
constexpr unsigned short ROUND_TOWARD_ZERO = 0x0C00;

unsigned short read_control() {
  unsigned short word = 0;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word;
}

void write_control(unsigned short word) { __asm__ volatile("fldcw %0" : : "m"(word)); }
#endif

}  // namespace

void fpu_set_extended_precision() {
#ifdef OMBREL_X87
  write_control(
      static_cast<unsigned short>((read_control() & ~PRECISION_MASK) | PRECISION_EXTENDED));
#endif
}

unsigned fpu_control_word() {
#ifdef OMBREL_X87
  return read_control();
#else
  return 0;
#endif
}

int float_to_int(double value) {
#ifdef OMBREL_X87
  // Round through the x87 unit switched to truncation for this one
  // conversion, then put its previous control word back.
  const unsigned short saved = read_control();
  const unsigned short truncating =
      static_cast<unsigned short>((saved & ~ROUNDING_MASK) | ROUND_TOWARD_ZERO);
  int result = 0;
  write_control(truncating);
  __asm__ volatile("fistpl %0" : "=m"(result) : "t"(value) : "st");
  write_control(saved);
  return result;
#else
  return static_cast<int>(value);
#endif
}
