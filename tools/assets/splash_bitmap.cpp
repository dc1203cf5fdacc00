// splash.bmp: the umbrella in the rain over the program's name, on a night
// sky that ends in a plain dark band. Drawn in full colour, then reduced to
// the 256 colours of an 8-bit bitmap.
#include "splash_bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "bmp_file.h"
#include "exact_math.h"
#include "lettering.h"
#include "palette.h"
#include "raster.h"
#include "umbrella.h"

namespace {

constexpr int kSplashWidth = 186;
constexpr int kSplashHeight = 159;
constexpr int kSplashPlainBand = 130;  // from this row down: plain and dark

const char kTitle[] = "Ombrel";
const char kSubtitle[] = "REZIZAZURIRO 3";
constexpr double kTitleScale = 4;
constexpr double kTitleTop = 79;
constexpr double kSubtitleTop = 114;

umbrella splash_umbrella() {
  umbrella u = house_umbrella();
  u.cx = 93;
  u.apex_y = 13;
  u.half_width = 47;
  u.height = 33;
  u.panels = 12;
  u.phase = 0;  // a rib straight down the middle
  u.scallop = 4.5;
  u.rib_width = 0.9;
  u.shaft_bottom = 66;
  u.shaft_width = 2.2;
  u.hook_radius = 5;
  u.handle_width = 3.2;
  u.tip_height = 5;
  u.outline = 0;
  return u;
}

struct rain_streak {
  double x0, y0, x1, y1, alpha;
};

rgb splash_background(double x, double y) {
  const rgb top = hex(0x0E1633);
  const rgb middle = hex(0x2A2252);
  const rgb low = hex(0x19162F);
  const rgb band = hex(0x0B0C17);
  rgb c =
      y < 92 ? mix(top, middle, smoothstep(0, 92, y)) : mix(middle, low, smoothstep(92, 122, y));
  c = mix(c, band, smoothstep(118, kSplashPlainBand, y));
  if (y < kSplashPlainBand) {
    // A soft light behind the umbrella.
    const double dx = (x - 93) / 80;
    const double dy = (y - 42) / 62;
    const double d2 = dx * dx + dy * dy;
    if (d2 < 1) {
      const double k = (1 - d2) * (1 - d2) * (1 - smoothstep(110, kSplashPlainBand, y));
      c = add(c, scale(hex(0x3A3470), 0.55 * k));
    }
    // Darker corners.
    const double vx = (x - 93) / 93;
    c = scale(c, 1 - 0.28 * vx * vx);
  }
  return c;
}

std::vector<rain_streak> splash_rain(const umbrella& u) {
  std::vector<rain_streak> rain;
  lcg random(20240611u);
  const double slant = 0.32;
  while (rain.size() < 46) {
    const double length = 5 + 6 * random.next();
    const double x0 = -8 + (kSplashWidth + 20) * random.next();
    const double y0 = -6 + 118 * random.next();
    const double alpha = 0.10 + 0.16 * random.next();
    const double x1 = x0 - slant * length;
    const double y1 = y0 + length;
    // Keep the lettering clear.
    const bool beside_text = std::max(x0, x1) < 26 || std::min(x0, x1) > 160;
    if (y1 > kTitleTop - 5 && !beside_text) continue;
    if (y1 > kSplashPlainBand - 14) continue;
    // Rain stops on the canopy and never falls under it.
    if (y0 > canopy_top(u, x0) - 1 || y0 > canopy_top(u, x1) - 1) continue;
    rain.push_back({x0, y0, x1, y1, alpha});
  }
  return rain;
}

// Rain over the background; streaks fade in from their top end and stop
// at the canopy.
rgb rain_layer(rgb c, const std::vector<rain_streak>& rain, const umbrella& u, double x, double y) {
  const rgb rain_colour = hex(0xA9BEEA);
  for (const rain_streak& r : rain) {
    if (distance_to_segment_squared(x, y, r.x0, r.y0, r.x1, r.y1) <= 0.25 &&
        y < canopy_top(u, x) - 0.5) {
      const double along = clamp((y - r.y0) / (r.y1 - r.y0), 0, 1);
      c = mix(c, rain_colour, r.alpha * along);
    }
  }
  return c;
}

// A faint shadow under the canopy's rim.
rgb rim_shadow_layer(rgb c, const umbrella& u, double x, double y) {
  const double dx = (x - u.cx) / (u.half_width * 0.9);
  const double dy = (y - (u.apex_y + u.height + 3)) / 4.5;
  const double d2 = dx * dx + dy * dy;
  return d2 < 1 ? scale(c, 1 - 0.35 * (1 - d2)) : c;
}

// The title, large and drawn with a round pen: a soft shadow, then the
// letters with a gentle vertical gradient.
rgb title_layer(rgb c, double title_left, double x, double y) {
  const double pen = 0.62;
  if (text_covers(kTitle, title_left + 1.2, kTitleTop + 1.8, kTitleScale, 1, pen, x, y)) {
    c = mix(c, hex(0x05050C), 0.55);
  }
  if (text_covers(kTitle, title_left, kTitleTop, kTitleScale, 1, pen, x, y)) {
    c = mix(hex(0xFFF8EC), hex(0xE4D8EE), clamp((y - kTitleTop) / (7 * kTitleScale), 0, 1));
  }
  return c;
}

// The subtitle in the square pixel font, letter-spaced, between two rules
// that fade out away from it.
rgb subtitle_layer(rgb c, double subtitle_left, double x, double y) {
  if (text_covers(kSubtitle, subtitle_left, kSubtitleTop, 1, 2, 0, x, y)) c = hex(0xF2A384);
  const double rule_y = kSubtitleTop + 3.5;
  if (y >= rule_y - 0.5 && y < rule_y + 0.5) {
    const double gap = 6;
    const double left_end = subtitle_left - gap;
    const double right_start = subtitle_left + text_width(kSubtitle, 2) + gap;
    if ((x >= left_end - 22 && x < left_end) || (x >= right_start && x < right_start + 22)) {
      const double fade = x < left_end ? (x - (left_end - 22)) / 22 : (right_start + 22 - x) / 22;
      c = mix(c, hex(0x5B5390), clamp(fade, 0, 1));
    }
  }
  return c;
}

// Back to front: sky, rain, the shadow under the rim, the umbrella, the
// lettering; at a display scale, the same scene sampled on a grid dpi / 96
// times finer, so every edge is drawn at that resolution, not enlarged.
picture draw_splash(int dpi) {
  const umbrella u = splash_umbrella();
  const std::vector<double> tips = rib_tips(u);
  const std::vector<rain_streak> rain = splash_rain(u);
  // Both lines centred; the title starts half a pixel in, so that its pen
  // strokes run through pixel centres and stay sharp.
  const double title_left =
      std::floor((kSplashWidth - text_width(kTitle, 1) * kTitleScale) / 2) + 0.5;
  const double subtitle_left = std::floor((kSplashWidth - text_width(kSubtitle, 2)) / 2);

  const double scale = dpi / 96.0;
  return render(scaled_size(kSplashWidth, dpi), scaled_size(kSplashHeight, dpi), 4,
                [&](double screen_x, double screen_y, rgb& out) {
                  const double x = screen_x / scale;
                  const double y = screen_y / scale;
                  rgb c = splash_background(x, y);
                  c = rain_layer(c, rain, u, x, y);
                  c = rim_shadow_layer(c, u, x, y);
                  rgb umbrella_c;
                  if (umbrella_colour(u, tips, x, y, umbrella_c)) c = umbrella_c;
                  c = title_layer(c, title_left, x, y);
                  out = subtitle_layer(c, subtitle_left, x, y);
                  return true;
                });
}

}  // namespace

int scaled_size(int pixels, int dpi) { return (pixels * dpi + 48) / 96; }

byte_buffer make_splash_bitmap_at(int dpi) {
  const picture drawn = draw_splash(dpi);
  std::vector<std::uint32_t> pixels;
  for (const rgb& c : drawn.colour) pixels.push_back(pack(c));
  return bmp_file_8bit(drawn.width, drawn.height, reduce_colours(pixels, 256));
}

byte_buffer make_splash_bitmap() { return make_splash_bitmap_at(96); }
byte_buffer make_splash_bitmap_150() { return make_splash_bitmap_at(144); }
byte_buffer make_splash_bitmap_200() { return make_splash_bitmap_at(192); }
