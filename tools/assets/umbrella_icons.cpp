// about.ico and splash.ico: the umbrella with a dark outline, on a rounded
// night-blue tile for the About window and on its own for the splash.
#include "umbrella_icons.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "exact_math.h"
#include "icon_file.h"
#include "raster.h"

namespace {

// Drawn at `size` pixels: the 32-pixel drawing sampled on a finer grid.
picture draw_umbrella_icon(bool on_tile, int size) {
  const umbrella u = icon_umbrella();
  const std::vector<double> tips = rib_tips(u);
  const rgb tile_top = hex(0x2F2A5E);
  const rgb tile_bottom = hex(0x111833);
  const double scale = static_cast<double>(size) / kIconSize;
  return render(size, size, 4, [&](double image_x, double image_y, rgb& out) {
    const double x = image_x / scale;
    const double y = image_y / scale;
    if (umbrella_colour(u, tips, x, y, out)) return true;
    if (on_tile) {
      // A rounded square tile, 1 pixel in from the edges, corner radius 6.
      const double r = 6;
      const double qx = std::max(std::fabs(x - 16) - (15 - r), 0.0);
      const double qy = std::max(std::fabs(y - 16) - (15 - r), 0.0);
      if (qx * qx + qy * qy <= r * r) {
        out = mix(tile_top, tile_bottom, clamp(y / 32, 0, 1));
        return true;
      }
    }
    return false;
  });
}

}  // namespace

// Eight panels and no ribs, which at this size would only smudge; the dark
// outline keeps the shape on light and dark backgrounds alike.
umbrella icon_umbrella() {
  umbrella u = house_umbrella();
  u.cx = 16.5;
  u.apex_y = 5;
  u.half_width = 14;
  u.height = 11;
  u.panels = 8;
  u.phase = 0;
  u.scallop = 2.2;
  u.rib_width = 0;
  u.shaft_bottom = 26.5;
  u.shaft_width = 1.8;
  u.hook_radius = 3;
  u.handle_width = 2.2;
  u.tip_height = 2.5;
  u.outline = 1;
  return u;
}

byte_buffer make_umbrella_icon(bool on_tile) {
  std::vector<icon_image> images;
  for (int size : icon_sizes()) {
    const picture drawn = draw_umbrella_icon(on_tile, size);
    images.push_back(size >= kPngIconSize
                         ? icon_png(drawn)
                         : icon_image{static_cast<unsigned>(size), icon_dib_24(drawn)});
  }
  return ico_file(images, 24, 0);
}

byte_buffer make_about_icon() { return make_umbrella_icon(true); }

byte_buffer make_splash_icon() { return make_umbrella_icon(false); }
