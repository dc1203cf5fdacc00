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

// The centre of the dial; the crown takes the space above it.
constexpr double kCentreX = 16;
constexpr double kCentreY = 18.5;

const rgb kOutline = hex(0x1B1F29);
const rgb kSteel = hex(0xAAB2BE);
const rgb kSteelLight = hex(0xDCE1E8);
const rgb kDial = hex(0xF7F8FA);
const rgb kDialShade = hex(0xC8D2DE);
const rgb kMark = hex(0x1F2A44);
const rgb kMinorMark = hex(0x6B7484);
const rgb kRed = hex(0xD7263D);

// A point in the frame of a hand pointing at `angle` (radians clockwise from
// 12 o'clock): how far out along the hand, and how far to its side.
struct hand_frame {
  double along;
  double across;
};

hand_frame on_hand(double x, double y, double angle) {
  const double dx = x - kCentreX;
  const double dy = y - kCentreY;
  const double s = sine(angle);
  const double c = cosine(angle);
  return {dx * s - dy * c, dx * c + dy * s};
}

// Inside the dial: the hands, the hub, the twelve marks, and the dial
// itself, a little shaded toward the lower right.
rgb dial_colour(double x, double y, double r) {
  const hand_frame minute = on_hand(x, y, kPi * 2 * 50 / 60);  // at ten to
  if (minute.along >= -1 && minute.along <= 6.5 && std::fabs(minute.across) <= 0.9) return kMark;
  const hand_frame second = on_hand(x, y, kPi * 2 * 12 / 60);
  if (second.along >= -2.5 && second.along <= 8.6 && std::fabs(second.across) <= 0.6) return kRed;
  if (r <= 1.5) return kRed;
  for (int k = 0; k < 12; ++k) {
    const hand_frame mark = on_hand(x, y, kPi * 2 * k / 12);
    // Quarter marks are longer and thicker.
    const bool quarter = k % 3 == 0;
    if (mark.along >= (quarter ? 7.0 : 8.0) && mark.along <= 9.4 &&
        std::fabs(mark.across) <= (quarter ? 0.8 : 0.55)) {
      return quarter ? kMark : kMinorMark;
    }
  }
  const double dx = x - kCentreX;
  const double dy = y - kCentreY;
  return mix(kDial, kDialShade, clamp((dx + dy) / 20 + 0.35, 0, 1) * 0.7);
}

// Outside the case: the crown (a stem and a cap above the case) and the side
// pusher at two o'clock.
bool fittings_colour(double x, double y, rgb& out) {
  const double off_axis = std::fabs(x - kCentreX);
  if (off_axis <= 1.6 && y >= 3.5 && y <= 6.5) {
    out = off_axis <= 0.8 ? kSteelLight : kOutline;
    return true;
  }
  if (off_axis <= 4.2 && y >= 0.8 && y <= 4.2) {
    const bool edge = off_axis > 3.2 || y < 1.8 || y > 3.4;
    out = edge ? kOutline : kSteel;
    return true;
  }
  const hand_frame pusher = on_hand(x, y, kPi * 2 * 8 / 60);
  if (pusher.along >= 13 && pusher.along <= 15.6 && std::fabs(pusher.across) <= 2.0) {
    out = (pusher.along > 14.8 || std::fabs(pusher.across) > 1.2) ? kOutline : kSteel;
    return true;
  }
  return false;
}

// Drawn at `size` pixels: the 32-pixel drawing sampled on a finer grid.
picture draw_stopwatch(int size) {
  const double scale = static_cast<double>(size) / kIconSize;
  return render(size, size, 4, [scale](double image_x, double image_y, rgb& out) {
    const double x = image_x / scale;
    const double y = image_y / scale;
    const double dx = x - kCentreX;
    const double dy = y - kCentreY;
    const double r = std::sqrt(dx * dx + dy * dy);
    // From the centre out: dial, inner outline, steel case lit from the upper
    // left, outer outline.
    if (r <= 10.2) {
      out = dial_colour(x, y, r);
    } else if (r <= 11) {
      out = kOutline;
    } else if (r <= 12.6) {
      out = mix(kSteelLight, kSteel, clamp((dx + dy) / 24 + 0.5, 0, 1));
    } else if (r <= 13.6) {
      out = kOutline;
    } else {
      return fittings_colour(x, y, out);
    }
    return true;
  });
}

// The 16 colours of the icon: the drawing's own colours and shades between
// them, black first for the transparent pixels.
const std::vector<std::uint32_t> kStopwatchPalette = {
    0x000000, 0x1B1F29, 0x1F2A44, 0x3A4254, 0x6B7484, 0x8C95A3, 0xAAB2BE, 0xC8D2DE,
    0xDCE1E8, 0xF7F8FA, 0xFFFFFF, 0xD7263D, 0x8E1B2B, 0xE98A96, 0x4A6FA5, 0x9FB8D8};

}  // namespace

byte_buffer make_stopwatch_icon() {
  std::vector<icon_image> images;
  for (int size : icon_sizes()) {
    const picture drawn = draw_stopwatch(size);
    images.push_back(size >= kPngIconSize ? icon_png(drawn, &kStopwatchPalette)
                                          : icon_image{static_cast<unsigned>(size),
                                                       icon_dib_4(drawn, kStopwatchPalette)});
  }
  return ico_file(images, 4, 16);
}
