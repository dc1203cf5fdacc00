#include "umbrella.h"

#include <algorithm>
#include <cmath>

#include "exact_math.h"

namespace {

// How far the rim rises at canopy x fraction f, in pixels.
double rim_rise(const umbrella& u, const std::vector<double>& tips, double f) {
  for (std::size_t i = 0; i + 1 < tips.size(); ++i) {
    if (f >= tips[i] && f <= tips[i + 1]) {
      const double span = tips[i + 1] - tips[i];
      if (span <= 0) return 0;
      const double depth = u.scallop * clamp(span * u.panels / 4.0, 0, 1);
      return depth * sine(kPi * (f - tips[i]) / span);
    }
  }
  return 0;
}

// Inside the canopy grown by `grow` pixels on every side.
bool in_canopy(const umbrella& u, const std::vector<double>& tips, double x, double y,
               double grow) {
  const double rim_y = u.apex_y + u.height + grow;
  const double a = u.half_width + grow;
  const double b = u.height + 2 * grow;
  const double f = (x - u.cx) / a;
  const double v = (rim_y - y) / b;
  if (f * f + v * v > 1 || v < 0) return false;
  return rim_y - y >= rim_rise(u, tips, f);
}

bool in_shaft(const umbrella& u, double x, double y, double grow) {
  const double half = u.shaft_width / 2 + grow;
  return x >= u.cx - half && x <= u.cx + half && y >= u.apex_y - u.tip_height - grow &&
         y <= u.shaft_bottom + grow;
}

// The J-shaped hook: a lower half circle to the left of the shaft with a
// rounded end.
bool in_handle(const umbrella& u, double x, double y, double grow) {
  const double half = u.handle_width / 2 + grow;
  const double hx = u.cx - u.hook_radius;
  const double hy = u.shaft_bottom;
  if (y >= hy) {
    const double dx = x - hx;
    const double dy = y - hy;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d >= u.hook_radius - half && d <= u.hook_radius + half) return true;
  }
  const double ex = x - (hx - u.hook_radius);
  const double ey = y - hy;
  if (ex * ex + ey * ey <= half * half) return true;
  // Joint with the shaft.
  return x >= u.cx - half && x <= u.cx + half && y >= hy - 0.5 && y <= hy + 0.5;
}

// The canopy's surface colour at a point inside it: panels in two colours,
// ribs between them, and light from the upper left.
rgb canopy_colour(const umbrella& u, double x, double y) {
  const double rim_y = u.apex_y + u.height;
  const double f = (x - u.cx) / u.half_width;
  const double v = clamp((rim_y - y) / u.height, 0, 1);
  const double ring = std::sqrt(std::max(1 - v * v, 1e-9));
  const double s = clamp(f / ring, -1, 1);
  const double theta = arc_sine(s);
  const double step = 2 * kPi / u.panels;
  const double position = (theta - u.phase) / step;
  const double cell = std::floor(position);
  const bool even = static_cast<long>(cell) % 2 == 0;
  rgb c = even ? u.panel_a : u.panel_b;

  // Shading on a dome: normal (f, v, depth).
  const double depth = std::sqrt(std::max(0.0, 1 - f * f - v * v));
  const double lx = -0.48, ly = 0.62, lz = 0.62;
  const double diffuse = std::max(0.0, f * lx + v * ly + depth * lz);
  c = scale(c, 0.50 + 0.62 * diffuse);
  // A soft highlight where the normal meets the half vector (lx, ly, lz + 1).
  const double hx = lx, hy = ly, hz = lz + 1;
  const double hn = std::sqrt(hx * hx + hy * hy + hz * hz);
  double specular = clamp((f * hx + v * hy + depth * hz) / hn, 0, 1);
  for (int i = 0; i < 5; ++i) specular *= specular;  // to the 32nd power: a small, soft spot
  c = add(c, scale(rgb{1, 1, 1}, 0.35 * specular));

  if (u.rib_width > 0) {
    const double off = (position - cell < 0.5 ? position - cell : 1 - (position - cell)) * step;
    const double pixels = off * cosine(theta) * ring * u.half_width;
    if (pixels < u.rib_width / 2) c = mix(c, u.rib, 0.75);
  }
  return c;
}

}  // namespace

umbrella house_umbrella() {
  umbrella u = {};
  u.panel_a = hex(0xE4503F);
  u.panel_b = hex(0xF6E7CF);
  u.rib = hex(0x7A2430);
  u.shaft = hex(0xC9CDD8);
  u.handle = hex(0x9A5B34);
  u.outline_colour = hex(0x2A1A24);
  return u;
}

std::vector<double> rib_tips(const umbrella& u) {
  std::vector<double> tips = {-1.0, 1.0};
  const double step = 2 * kPi / u.panels;
  for (int k = 0; k < u.panels; ++k) {
    const double theta = u.phase + k * step;
    const double depth = cosine(theta);
    const double x = sine(theta);
    if (depth > 0.05 && x > -0.98 && x < 0.98) tips.push_back(x);
  }
  std::sort(tips.begin(), tips.end());
  return tips;
}

// Front to back: the canopy, its outline, the shaft (lit down the middle),
// the handle, then their outline. The canopy's outline thus runs across the
// shaft at the apex and the rim, and the stick's own outline shows only
// where nothing else is.
bool umbrella_colour(const umbrella& u, const std::vector<double>& tips, double x, double y,
                     rgb& out) {
  if (in_canopy(u, tips, x, y, 0)) {
    out = canopy_colour(u, x, y);
    return true;
  }
  if (u.outline > 0 && in_canopy(u, tips, x, y, u.outline)) {
    out = u.outline_colour;
    return true;
  }
  if (in_shaft(u, x, y, 0)) {
    const double across = (x - u.cx) / (u.shaft_width / 2);
    out = scale(u.shaft, 1.08 - 0.3 * across * across);
    return true;
  }
  if (in_handle(u, x, y, 0)) {
    out = u.handle;
    return true;
  }
  if (u.outline > 0 && (in_shaft(u, x, y, u.outline) || in_handle(u, x, y, u.outline))) {
    out = u.outline_colour;
    return true;
  }
  return false;
}

double canopy_top(const umbrella& u, double x) {
  const double f = (x - u.cx) / u.half_width;
  if (f <= -1 || f >= 1) return 1e9;
  return u.apex_y + u.height - u.height * std::sqrt(1 - f * f);
}
