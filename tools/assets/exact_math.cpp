#include "exact_math.h"

#include <cmath>

double sine(double x) {
  x -= 2 * kPi * std::floor(x / (2 * kPi) + 0.5);  // now in [-pi, pi]
  if (x > kPi / 2) x = kPi - x;
  if (x < -kPi / 2) x = -kPi - x;
  const double x2 = x * x;
  double term = x;
  double sum = x;
  for (int n = 1; n <= 11; ++n) {
    term *= -x2 / ((2.0 * n) * (2.0 * n + 1));
    sum += term;
  }
  return sum;
}

double cosine(double x) { return sine(x + kPi / 2); }

double exponential(double x) {
  if (x < -700) return 0;
  // e^x = 2^k * e^r with |r| <= ln 2 / 2, where the series converges fast.
  const double ln2 = 0.69314718055994530942;
  const double k = std::floor(x / ln2 + 0.5);
  const double r = x - k * ln2;
  double term = 1;
  double sum = 1;
  for (int n = 1; n <= 16; ++n) {
    term *= r / n;
    sum += term;
  }
  return std::ldexp(sum, static_cast<int>(k));
}

double arc_tangent(double x) {
  if (x < 0) return -arc_tangent(-x);
  if (x > 1) return kPi / 2 - arc_tangent(1 / x);
  // Above tan(pi/12), shift by pi/6 so the series below stays short.
  const double sqrt3 = 1.73205080756887729353;
  if (x > 0.26794919243112270) return kPi / 6 + arc_tangent((x * sqrt3 - 1) / (sqrt3 + x));
  const double x2 = x * x;
  double power = x;
  double sum = x;
  for (int n = 1; n <= 12; ++n) {
    power *= -x2;
    sum += power / (2 * n + 1);
  }
  return sum;
}

double arc_sine(double x) {
  if (x >= 1) return kPi / 2;
  if (x <= -1) return -kPi / 2;
  return arc_tangent(x / std::sqrt(1 - x * x));
}

double clamp(double x, double low, double high) { return x < low ? low : (x > high ? high : x); }

double smoothstep(double edge0, double edge1, double x) {
  const double t = clamp((x - edge0) / (edge1 - edge0), 0, 1);
  return t * t * (3 - 2 * t);
}

double ease(double t) { return t <= 0 ? 0 : (t >= 1 ? 1 : 0.5 - 0.5 * cosine(kPi * t)); }

long round_to_long(double x) { return static_cast<long>(std::floor(x + 0.5)); }

double distance_to_segment_squared(double px, double py, double ax, double ay, double bx,
                                   double by) {
  const double dx = bx - ax;
  const double dy = by - ay;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / length2 : 0;
  t = clamp(t, 0, 1);
  const double ex = ax + t * dx - px;
  const double ey = ay + t * dy - py;
  return ex * ex + ey * ey;
}

double lcg::next() {
  state_ = state_ * 1664525u + 1013904223u;
  return static_cast<double>(state_ >> 8) / 16777216.0;
}
