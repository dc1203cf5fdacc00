// ombrel.ani: the umbrella opening, turning twice round and closing again,
// the About window's animated picture. Eight drawn frames; the sequence
// plays them out and back with pauses, so the frames need not repeat.
#include "umbrella_cursor.h"

#include <cstdint>
#include <vector>

#include "ani_file.h"
#include "exact_math.h"
#include "icon_file.h"
#include "raster.h"
#include "umbrella.h"
#include "umbrella_icons.h"

namespace {

constexpr std::uint32_t kDefaultRate = 8;  // 1/60 s

struct cursor_frame {
  double openness;  // 0 furled, 1 open
  double turn;      // in panels
};

const cursor_frame kCursorFrames[] = {
    {0.0, 0}, {0.3, 0}, {0.6, 0}, {0.85, 0}, {1.0, 0}, {1.0, 0.5}, {1.0, 1.0}, {1.0, 1.5},
};
// Frame and display time (in 1/60 s) of each step: a pause furled, open,
// a short hold, two turns, a longer hold open, and furl again.
const std::vector<ani_step> kCursorSteps = {
    {0, 30}, {1, 6}, {2, 6}, {3, 6},  // opening
    {4, 10}, {5, 8}, {6, 8}, {7, 8},  // open, first turn
    {4, 8},  {5, 8}, {6, 8}, {7, 8},  // second turn
    {4, 20}, {3, 6}, {2, 6}, {1, 6},  // closing
};

// Every frame holds an image for 100 %, 125 %, 150 %, 175 % and 200 %: the
// About window shows the picture at its display's scale without any
// stretching.
const int kCursorSizes[] = {kIconSize, kIconSize * 5 / 4, kIconSize * 3 / 2, kIconSize * 7 / 4,
                            kIconSize * 2};

picture draw_cursor_frame(const cursor_frame& frame, int size) {
  // From furled (a narrow, tall canopy hugging the shaft) to the icon's
  // open canopy, eased so the opening starts and ends gently.
  umbrella u = icon_umbrella();
  const double s = ease(frame.openness);
  u.half_width = 3.2 + (14 - 3.2) * s;
  u.height = 19 - 8 * s;
  u.scallop = 2.2 * s;
  u.phase = frame.turn * 2 * kPi / u.panels;
  u.rib_width = 0.6;
  u.outline = 0;  // shown on a black window: no dark outline
  // A lighter shaft and handle, which the outline no longer sets off.
  u.shaft = hex(0xD9DDE6);
  u.handle = hex(0xB8743F);
  const std::vector<double> tips = rib_tips(u);
  const double scale = static_cast<double>(size) / kIconSize;
  return render(size, size, 4, [&](double x, double y, rgb& out) {
    return umbrella_colour(u, tips, x / scale, y / scale, out);
  });
}

}  // namespace

byte_buffer make_umbrella_cursor() {
  // Hot spot in the middle: the picture is shown, never pointed with.
  std::vector<byte_buffer> frames;
  for (const cursor_frame& f : kCursorFrames) {
    std::vector<icon_image> images;
    for (int size : kCursorSizes) {
      images.push_back({static_cast<unsigned>(size), icon_dib_32(draw_cursor_frame(f, size))});
    }
    frames.push_back(cur_file(images));
  }
  // Every step names its own time, so the default rate is never used.
  return ani_file("Ombrel", frames, kCursorSteps, kDefaultRate);
}
