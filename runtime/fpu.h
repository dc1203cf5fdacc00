// Floating-point unit settings shared by every program.
#pragma once

// Sets the x87 precision control to extended precision (64-bit
// significand), leaving exception masks and rounding mode as they are.
// Does nothing where the unit has no precision control.
void fpu_set_extended_precision();

// The x87 control word, for checks; 0 where there is no x87 unit.
unsigned fpu_control_word();

// Floating-point to integer, truncated toward zero whatever rounding mode
// the unit is in; the unit's control setting is left untouched.
int float_to_int(double value);
