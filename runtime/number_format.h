// The runtime's one way of writing a number as text: exactly what the C
// library's "% .15g" gives, without pulling a printf family into the
// programs.
#pragma once

// The longest text, "-1.23456789012346e-300", is 22 characters.
constexpr int NUMBER_TEXT_SIZE = 23;

// Writes the value like "% .15g": at most 15 significant digits, correctly
// rounded (half to even on the exact binary value), trailing zeros dropped,
// exponent form (at least two exponent digits) below 0.0001 and from 1e15 up,
// a blank before non-negative values. Infinities give " inf" and "-inf"; a
// NaN gives " nan" on Windows and, like the host C library, "-nan" when its
// sign bit is set elsewhere. Returns the length written before the zero.
int format_number(double value, char* out);
