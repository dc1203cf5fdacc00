#include "number_format.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr int SIGNIFICANT_DIGITS = 15;

// The exact value m * 2^e of a double, as a big integer in 16-bit limbs
// (kept in 32-bit words so that every product and quotient fits 32 bits).
// m * 5^1074 is the largest case: 2547 bits.
constexpr int LIMB_COUNT = 162;
// Its decimal digits: at most 767.
constexpr int DIGIT_CAPACITY = 772;

struct big_number {
  std::uint32_t limbs[LIMB_COUNT];
  int used;
};

void multiply(big_number* number, std::uint32_t factor) {
  std::uint32_t carry = 0;
  for (int i = 0; i < number->used; ++i) {
    const std::uint32_t product = number->limbs[i] * factor + carry;
    number->limbs[i] = product & 0xFFFF;
    carry = product >> 16;
  }
  while (carry != 0) {
    number->limbs[number->used++] = carry & 0xFFFF;
    carry >>= 16;
  }
}

// number *= base^count, in steps whose products stay below 2^32.
void multiply_by_power(big_number* number, std::uint32_t base, int count) {
  const std::uint32_t step = base == 2 ? 16384 : 15625;  // 2^14, 5^6
  const int per_step = base == 2 ? 14 : 6;
  for (; count >= per_step; count -= per_step) multiply(number, step);
  std::uint32_t rest = 1;
  for (; count > 0; --count) rest *= base;
  multiply(number, rest);
}

// Divides by 10000 and returns the remainder.
std::uint32_t divide_by_10000(big_number* number) {
  std::uint32_t remainder = 0;
  for (int i = number->used - 1; i >= 0; --i) {
    const std::uint32_t current = (remainder << 16) | number->limbs[i];
    number->limbs[i] = current / 10000;
    remainder = current % 10000;
  }
  while (number->used > 0 && number->limbs[number->used - 1] == 0) --number->used;
  return remainder;
}

// The decimal digits of the number, most significant first, into the end of
// digits[]; returns where they start (no leading zeros).
int decimal_digits(big_number* number, char* digits) {
  int start = DIGIT_CAPACITY;
  while (number->used > 0) {
    std::uint32_t group = divide_by_10000(number);
    for (int i = 0; i < 4; ++i) {
      digits[--start] = static_cast<char>('0' + group % 10);
      group /= 10;
    }
  }
  while (digits[start] == '0') ++start;
  return start;
}

char* write_text(char* out, const char* text) {
  const std::size_t length = std::strlen(text);
  std::memcpy(out, text, length);
  return out + length;
}

char* write_zeros(char* out, int count) {
  for (; count > 0; --count) *out++ = '0';
  return out;
}

}  // namespace

int format_number(double value, char* out) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const bool negative = (bits >> 63) != 0;
  const int biased_exponent = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  char* end = out;

  if (biased_exponent == 0x7FF) {
#ifdef _WIN32
    // The Windows C runtime writes every NaN without its sign.
    const bool show_minus = negative && mantissa == 0;
#else
    const bool show_minus = negative;
#endif
    end = write_text(end, show_minus ? "-" : " ");
    end = write_text(end, mantissa == 0 ? "inf" : "nan");
    *end = '\0';
    return static_cast<int>(end - out);
  }
  *end++ = negative ? '-' : ' ';
  if (biased_exponent == 0 && mantissa == 0) {
    *end++ = '0';
    *end = '\0';
    return static_cast<int>(end - out);
  }

  // value = mantissa * 2^exponent exactly.
  int exponent = biased_exponent - 1075;
  if (biased_exponent == 0) {
    exponent = -1074;
  } else {
    mantissa |= std::uint64_t{1} << 52;
  }
  big_number number;
  number.used = 0;
  for (; mantissa != 0; mantissa >>= 16) {
    number.limbs[number.used++] = static_cast<std::uint32_t>(mantissa & 0xFFFF);
  }
  // m * 2^e for e >= 0; m * 5^-e, read with the decimal point moved -e
  // places, for e < 0.
  int decimal_shift = 0;
  if (exponent >= 0) {
    multiply_by_power(&number, 2, exponent);
  } else {
    multiply_by_power(&number, 5, -exponent);
    decimal_shift = exponent;
  }
  char digits[DIGIT_CAPACITY];
  const int start = decimal_digits(&number, digits);
  const char* digit = digits + start;
  int count = DIGIT_CAPACITY - start;
  // value = d0.d1d2... * 10^x
  int x = count - 1 + decimal_shift;

  // Round to 15 digits, half to even on the exact value.
  char kept[SIGNIFICANT_DIGITS];
  const int kept_count = count < SIGNIFICANT_DIGITS ? count : SIGNIFICANT_DIGITS;
  std::memcpy(kept, digit, static_cast<std::size_t>(kept_count));
  if (count > SIGNIFICANT_DIGITS) {
    const char next = digit[SIGNIFICANT_DIGITS];
    bool beyond_half = false;
    for (int i = SIGNIFICANT_DIGITS + 1; i < count && !beyond_half; ++i)
      beyond_half = digit[i] != '0';
    const bool odd = ((kept[SIGNIFICANT_DIGITS - 1] - '0') & 1) != 0;
    if (next > '5' || (next == '5' && (beyond_half || odd))) {
      int i = SIGNIFICANT_DIGITS - 1;
      while (i >= 0 && kept[i] == '9') kept[i--] = '0';
      if (i >= 0) {
        ++kept[i];
      } else {
        kept[0] = '1';  // 999...9 became 1000...0: one more decimal place
        ++x;
      }
    }
  }
  int significant = kept_count;
  while (significant > 1 && kept[significant - 1] == '0') --significant;

  if (x >= -4 && x < SIGNIFICANT_DIGITS) {
    if (x >= 0) {
      const int whole = x + 1;
      const int from_kept = significant < whole ? significant : whole;
      std::memcpy(end, kept, static_cast<std::size_t>(from_kept));
      end = write_zeros(end + from_kept, whole - from_kept);
      if (significant > whole) {
        *end++ = '.';
        std::memcpy(end, kept + whole, static_cast<std::size_t>(significant - whole));
        end += significant - whole;
      }
    } else {
      end = write_text(end, "0.");
      end = write_zeros(end, -x - 1);
      std::memcpy(end, kept, static_cast<std::size_t>(significant));
      end += significant;
    }
  } else {
    *end++ = kept[0];
    if (significant > 1) {
      *end++ = '.';
      std::memcpy(end, kept + 1, static_cast<std::size_t>(significant - 1));
      end += significant - 1;
    }
    *end++ = 'e';
    *end++ = x < 0 ? '-' : '+';
    const int magnitude = x < 0 ? -x : x;
    if (magnitude >= 100) *end++ = static_cast<char>('0' + magnitude / 100);
    *end++ = static_cast<char>('0' + magnitude / 10 % 10);
    *end++ = static_cast<char>('0' + magnitude % 10);
  }
  *end = '\0';
  return static_cast<int>(end - out);
}
