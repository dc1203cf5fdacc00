// Arithmetic that gives the same bits on every machine. The generator uses
// only floating-point operations that IEEE 754 rounds exactly (+ - * / sqrt
// floor ldexp) and computes the sine, exponential and arc tangent here from
// series, since the C library's versions may differ in the last bit between
// systems. The build also turns off fused multiply-add contraction.
#pragma once

#include <cstdint>

constexpr double kPi = 3.14159265358979323846;

double sine(double x);
double cosine(double x);
double exponential(double x);
double arc_tangent(double x);
double arc_sine(double x);

double clamp(double x, double low, double high);
// Hermite step from 0 at edge0 to 1 at edge1, flat at both ends.
double smoothstep(double edge0, double edge1, double x);
// Raised-cosine ramp from 0 (at t <= 0) to 1 (at t >= 1): no corner at either end.
double ease(double t);
// Halves round up, whatever the current rounding mode does.
long round_to_long(double x);

double distance_to_segment_squared(double px, double py, double ax, double ay, double bx,
                                   double by);

// Numerical Recipes' 32-bit linear congruential generator, seeded by each
// user with its own fixed number, so the noise and the rain never change.
class lcg {
 public:
  explicit lcg(std::uint32_t seed) : state_(seed) {}
  // Uniform in [0, 1): the top 24 bits, which a double holds exactly.
  double next();

 private:
  std::uint32_t state_;
};
