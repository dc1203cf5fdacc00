// lapwick.ico: a round steel stopwatch case with crown and side pusher, a
// white dial with quarter marks, a dark minute hand and a red seconds hand.
// 16 colours, since the stopwatch's class icon is the plain 4-bit kind.
#include "stopwatch_icon.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "exact_math.h"
#include "icon_file.h"
#include "raster.h"

namespace {

picture draw_stopwatch() {
  const double cx = 16;
  const double cy = 18.5;
  const rgb outline = hex(0x1B1F29);
  const rgb steel = hex(0xAAB2BE);
  const rgb steel_light = hex(0xDCE1E8);
  const rgb dial = hex(0xF7F8FA);
  const rgb dial_shade = hex(0xC8D2DE);
  const rgb mark = hex(0x1F2A44);
  const rgb minor_mark = hex(0x6B7484);
  const rgb red = hex(0xD7263D);
  auto rotated = [&](double x, double y, double angle, double& along, double& across) {
    // angle in radians clockwise from 12 o'clock
    const double dx = x - cx;
    const double dy = y - cy;
    const double s = sine(angle);
    const double c = cosine(angle);
    along = dx * s - dy * c;
    across = dx * c + dy * s;
  };
  return render(kIconSize, kIconSize, 4, [&](double x, double y, rgb& out) {
    const double dx = x - cx;
    const double dy = y - cy;
    const double r = std::sqrt(dx * dx + dy * dy);
    // Hands and hub on the dial.
    if (r <= 10.2) {
      double along = 0;
      double across = 0;
      rotated(x, y, kPi * 2 * 50 / 60, along, across);  // minute hand at ten to
      if (along >= -1 && along <= 6.5 && std::fabs(across) <= 0.9) {
        out = mark;
        return true;
      }
      rotated(x, y, kPi * 2 * 12 / 60, along, across);  // seconds hand
      if (along >= -2.5 && along <= 8.6 && std::fabs(across) <= 0.6) {
        out = red;
        return true;
      }
      if (r <= 1.5) {
        out = red;
        return true;
      }
      for (int k = 0; k < 12; ++k) {
        rotated(x, y, kPi * 2 * k / 12, along, across);
        const bool quarter = k % 3 == 0;
        if (along >= (quarter ? 7.0 : 8.0) && along <= 9.4 &&
            std::fabs(across) <= (quarter ? 0.8 : 0.55)) {
          out = quarter ? mark : minor_mark;
          return true;
        }
      }
      // The dial, a little shaded toward the lower right.
      out = mix(dial, dial_shade, clamp((dx + dy) / 20 + 0.35, 0, 1) * 0.7);
      return true;
    }
    if (r <= 11) {
      out = outline;
      return true;
    }
    if (r <= 12.6) {
      // Steel case, lit from the upper left.
      out = mix(steel_light, steel, clamp((dx + dy) / 24 + 0.5, 0, 1));
      return true;
    }
    if (r <= 13.6) {
      out = outline;
      return true;
    }
    // Crown: a stem and a cap above the case.
    if (std::fabs(x - cx) <= 1.6 && y >= 3.5 && y <= 6.5) {
      out = std::fabs(x - cx) <= 0.8 ? steel_light : outline;
      return true;
    }
    if (std::fabs(x - cx) <= 4.2 && y >= 0.8 && y <= 4.2) {
      const bool edge = std::fabs(x - cx) > 3.2 || y < 1.8 || y > 3.4;
      out = edge ? outline : steel;
      return true;
    }
    // Side pusher at two o'clock.
    double along = 0;
    double across = 0;
    rotated(x, y, kPi * 2 * 8 / 60, along, across);
    if (along >= 13 && along <= 15.6 && std::fabs(across) <= 2.0) {
      out = (along > 14.8 || std::fabs(across) > 1.2) ? outline : steel;
      return true;
    }
    return false;
  });
}

// The 16 colours of the icon: the drawing's own colours and shades between
// them, black first for the transparent pixels.
const std::vector<std::uint32_t> kStopwatchPalette = {0x000000, 0x1B1F29, 0x1F2A44, 0x3A4254, 0x6B7484, 0x8C95A3, 0xAAB2BE, 0xC8D2DE,
          0xDCE1E8, 0xF7F8FA, 0xFFFFFF, 0xD7263D, 0x8E1B2B, 0xE98A96, 0x4A6FA5, 0x9FB8D8};

}  // namespace

byte_buffer make_stopwatch_icon() {
  return ico_file(icon_dib_4(draw_stopwatch(), kStopwatchPalette), 4, 16);
}
