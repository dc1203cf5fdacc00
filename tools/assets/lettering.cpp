#include "lettering.h"

#include <cmath>

#include "exact_math.h"
#include "pixel_font.h"

namespace {

// The glyph drawn with a round pen of radius `pen` through its pixel
// centres: neighbouring pixels join with straight strokes, diagonal
// neighbours only where no square corner already joins them.
bool glyph_stroke_covers(const glyph& g, double u, double v, double pen) {
  const int c0 = static_cast<int>(std::floor(u - 0.5));
  const int r0 = static_cast<int>(std::floor(v - 0.5));
  const double pen2 = pen * pen;
  const int steps[4][2] = {{1, 0}, {0, 1}, {1, 1}, {-1, 1}};
  for (int dr = -1; dr <= 2; ++dr) {
    for (int dc = -1; dc <= 2; ++dc) {
      const int c = c0 + dc;
      const int r = r0 + dr;
      if (!glyph_set(g, c, r)) continue;
      const double px = c + 0.5;
      const double py = r + 0.5;
      if ((u - px) * (u - px) + (v - py) * (v - py) <= pen2) return true;
      for (const auto& step : steps) {
        const int nc = c + step[0];
        const int nr = r + step[1];
        if (!glyph_set(g, nc, nr)) continue;
        if (step[0] != 0 && step[1] != 0 && (glyph_set(g, nc, r) || glyph_set(g, c, nr))) {
          continue;
        }
        if (distance_to_segment_squared(u, v, px, py, nc + 0.5, nr + 0.5) <= pen2) return true;
      }
    }
  }
  return false;
}

}  // namespace

double text_width(const char* text, double spacing) {
  double width = 0;
  for (const char* p = text; *p != 0; ++p) {
    width += find_glyph(*p).width;
    if (p[1] != 0) width += spacing;
  }
  return width;
}

bool text_covers(const char* text, double left, double top, double scale_px, double spacing,
                 double pen, double x, double y) {
  const double u = (x - left) / scale_px;
  const double v = (y - top) / scale_px;
  if (v < -1 || v > 8) return false;
  double origin = 0;
  for (const char* p = text; *p != 0; ++p) {
    const glyph& g = find_glyph(*p);
    const double gu = u - origin;
    if (gu >= -1 && gu <= g.width + 1) {
      if (pen > 0) {
        if (glyph_stroke_covers(g, gu, v, pen)) return true;
      } else if (gu >= 0 && v >= 0 &&
                 glyph_set(g, static_cast<int>(std::floor(gu)), static_cast<int>(std::floor(v)))) {
        return true;
      }
    }
    origin += g.width + spacing;
  }
  return false;
}
