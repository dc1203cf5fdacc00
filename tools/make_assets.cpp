// make_assets OUTDIR
//
// Draws and synthesises every picture and sound that the three programs
// carry and writes them into OUTDIR:
//
//   splash.bmp          the splash picture, 186 x 159, 8 bits per pixel
//   about_click.wav     the About window's typing click (8-bit, 22050 Hz)
//   about_close.wav     the About window's closing chime (8-bit, 22050 Hz)
//   lapwick_chime.wav   the stopwatch chime (16-bit, 11025 Hz)
//   lapwick.ico         stopwatch icon, 32 x 32, 16 colours
//   about.ico           umbrella icon on a tile, 32 x 32, 24-bit
//   splash.ico          umbrella icon, 32 x 32, 24-bit
//   ombrel.ani          animated cursor: an umbrella opening and turning
//
// The output depends on nothing but this file: no clock, no system random
// numbers, and only floating-point operations that IEEE 754 rounds exactly
// (+ - * / sqrt floor); the sine, exponential and arc tangent are computed
// here. The build turns off fused multiply-add contraction, so every
// machine writes the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using byte_buffer = std::vector<std::uint8_t>;

// ---------------------------------------------------------------------------
// Little-endian output and RIFF chunks

void put_u8(byte_buffer& out, unsigned value) { out.push_back(static_cast<std::uint8_t>(value)); }

void put_u16(byte_buffer& out, unsigned value) {
  put_u8(out, value & 0xFFu);
  put_u8(out, (value >> 8) & 0xFFu);
}

void put_u32(byte_buffer& out, std::uint32_t value) {
  put_u16(out, value & 0xFFFFu);
  put_u16(out, (value >> 16) & 0xFFFFu);
}

void put_i32(byte_buffer& out, std::int32_t value) {
  put_u32(out, static_cast<std::uint32_t>(value));
}

void put_tag(byte_buffer& out, const char* tag) {
  for (int i = 0; i < 4; ++i) put_u8(out, static_cast<unsigned char>(tag[i]));
}

void put_bytes(byte_buffer& out, const byte_buffer& data) {
  out.insert(out.end(), data.begin(), data.end());
}

// A chunk: tag, data size, data, and a pad byte after odd-sized data.
void put_chunk(byte_buffer& out, const char* tag, const byte_buffer& data) {
  put_tag(out, tag);
  put_u32(out, static_cast<std::uint32_t>(data.size()));
  put_bytes(out, data);
  if (data.size() % 2 != 0) put_u8(out, 0);
}

// A RIFF file or LIST chunk: tag, size, form type, then the body.
byte_buffer riff_form(const char* tag, const char* form, const byte_buffer& body) {
  byte_buffer out;
  put_tag(out, tag);
  put_u32(out, static_cast<std::uint32_t>(body.size() + 4));
  put_tag(out, form);
  put_bytes(out, body);
  return out;
}

// ---------------------------------------------------------------------------
// Reproducible arithmetic

constexpr double kPi = 3.14159265358979323846;

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

// Raised-cosine ramp from 0 (at t <= 0) to 1 (at t >= 1): no corner at either end.
double ease(double t) { return t <= 0 ? 0 : (t >= 1 ? 1 : 0.5 - 0.5 * cosine(kPi * t)); }

long round_to_long(double x) { return static_cast<long>(std::floor(x + 0.5)); }

// Numerical Recipes' 32-bit linear congruential generator, fixed seed per use.
class lcg {
 public:
  explicit lcg(std::uint32_t seed) : state_(seed) {}
  // Uniform in [0, 1).
  double next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / 16777216.0;
  }

 private:
  std::uint32_t state_;
};

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

// ---------------------------------------------------------------------------
// Sounds

struct wav_layout {
  std::uint32_t sample_rate;
  unsigned bits;
  bool fmt_has_extra_size;  // 18-byte WAVEFORMATEX with cbSize 0, else 16-byte PCMWAVEFORMAT
  bool fact_chunk;
};

byte_buffer make_wav(const wav_layout& layout, const byte_buffer& samples) {
  const unsigned block_align = layout.bits / 8;
  byte_buffer format;
  put_u16(format, 1);  // WAVE_FORMAT_PCM
  put_u16(format, 1);  // mono
  put_u32(format, layout.sample_rate);
  put_u32(format, layout.sample_rate * block_align);
  put_u16(format, block_align);
  put_u16(format, layout.bits);
  if (layout.fmt_has_extra_size) put_u16(format, 0);

  byte_buffer body;
  put_chunk(body, "fmt ", format);
  if (layout.fact_chunk) {
    byte_buffer fact;
    put_u32(fact, static_cast<std::uint32_t>(samples.size() / block_align));
    put_chunk(body, "fact", fact);
  }
  put_chunk(body, "data", samples);
  return riff_form("RIFF", "WAVE", body);
}

// Unsigned 8-bit samples; silence is 128.
byte_buffer to_pcm8(const std::vector<double>& wave) {
  byte_buffer out;
  for (double v : wave)
    put_u8(out, static_cast<unsigned>(128 + round_to_long(clamp(v, -1, 1) * 127)));
  return out;
}

// Signed 16-bit little-endian samples.
byte_buffer to_pcm16(const std::vector<double>& wave) {
  byte_buffer out;
  for (double v : wave) {
    const long s = round_to_long(clamp(v, -1, 1) * 32767);
    put_u16(out, static_cast<unsigned>(s) & 0xFFFFu);
  }
  return out;
}

// A typewriter key: a sharp noise transient over a short body resonance for
// the strike, a quieter second tick as the type bar falls back, and then
// silence for the rest of the sample, which sets the typing pace.
byte_buffer make_click_samples() {
  const int rate = 22050;
  const int count = 4578;
  std::vector<double> wave(count, 0.0);
  lcg noise(0x0B5E1u);
  double previous_noise = 0;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / rate;
    // High-passed white noise: the "tick" of metal on platen.
    const double white = noise.next() * 2 - 1;
    const double bright = white - 0.85 * previous_noise;
    previous_noise = white;
    double v = 0;
    auto strike = [&](double start, double level) {
      const double s = t - start;
      if (s < 0) return;
      const double attack = ease(s / 0.0004);
      v += level * attack *
           (0.75 * bright * exponential(-s / 0.0014) +
            0.55 * sine(2 * kPi * 1850 * s) * exponential(-s / 0.0035) +
            0.30 * sine(2 * kPi * 420 * s) * exponential(-s / 0.0060));
    };
    strike(0.0, 1.0);
    strike(0.0145, 0.38);
    // Everything is gone by 45 ms; the tail is exact silence.
    v *= 1 - ease((t - 0.030) / 0.015);
    wave[static_cast<std::size_t>(i)] = 0.9 * v;
  }
  return to_pcm8(wave);
}

// One struck bell-like note: a few partials, each with its own decay, and a
// short raised-cosine attack so the note starts without a click.
double bell_note(double t, double frequency, double decay, double attack_time,
                 const double (*partials)[3], int partial_count) {
  if (t < 0) return 0;
  double v = 0;
  for (int p = 0; p < partial_count; ++p) {
    const double ratio = partials[p][0];
    const double level = partials[p][1];
    const double decay_scale = partials[p][2];
    v += level * sine(2 * kPi * frequency * ratio * t) * exponential(-t / (decay * decay_scale));
  }
  return v * ease(t / attack_time);
}

// A soft descending "ding-dong" (G5 then D5) that fades to silence.
byte_buffer make_close_samples() {
  const int rate = 22050;
  const int count = 13382;
  const double partials[][3] = {{1.0, 1.0, 1.0}, {2.0, 0.22, 0.5}, {3.0, 0.07, 0.3}};
  std::vector<double> wave(static_cast<std::size_t>(count));
  const double length = static_cast<double>(count) / rate;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / rate;
    double v = 0.34 * bell_note(t, 783.99, 0.16, 0.012, partials, 3) +
               0.40 * bell_note(t - 0.165, 587.33, 0.20, 0.015, partials, 3);
    v *= 1 - ease((t - (length - 0.12)) / 0.12);
    wave[static_cast<std::size_t>(i)] = v;
  }
  return to_pcm8(wave);
}

// A short, bright bell (C6 with inharmonic upper partials), 736 samples.
byte_buffer make_chime_samples() {
  const int rate = 11025;
  const int count = 736;
  const double partials[][3] = {
      {1.0, 1.0, 1.0}, {2.0, 0.42, 0.6}, {2.92, 0.24, 0.4}, {4.16, 0.12, 0.28}};
  std::vector<double> wave(static_cast<std::size_t>(count));
  const double length = static_cast<double>(count) / rate;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / rate;
    double v = 0.52 * bell_note(t, 1046.5, 0.028, 0.0025, partials, 4);
    v *= 1 - ease((t - (length - 0.008)) / 0.008);
    wave[static_cast<std::size_t>(i)] = v;
  }
  return to_pcm16(wave);
}

// ---------------------------------------------------------------------------
// Colour and supersampled drawing

struct rgb {
  double r, g, b;
};

rgb hex(std::uint32_t value) {
  return {static_cast<double>((value >> 16) & 0xFF) / 255,
          static_cast<double>((value >> 8) & 0xFF) / 255, static_cast<double>(value & 0xFF) / 255};
}

rgb mix(const rgb& a, const rgb& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

rgb scale(const rgb& c, double k) { return {c.r * k, c.g * k, c.b * k}; }

rgb add(const rgb& a, const rgb& b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

unsigned channel_byte(double v) {
  return static_cast<unsigned>(round_to_long(clamp(v, 0, 1) * 255));
}

// A drawn picture: straight (not premultiplied) colour and coverage per pixel.
struct picture {
  int width = 0;
  int height = 0;
  std::vector<rgb> colour;
  std::vector<double> coverage;
};

// Averages size x size samples per pixel. The scene gives the colour at a
// point and whether the point is covered; an opaque scene covers every point.
template <typename Scene>
picture render(int width, int height, int size, Scene scene) {
  picture out;
  out.width = width;
  out.height = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      rgb sum = {0, 0, 0};
      int covered = 0;
      for (int sy = 0; sy < size; ++sy) {
        for (int sx = 0; sx < size; ++sx) {
          rgb c = {0, 0, 0};
          if (scene(x + (sx + 0.5) / size, y + (sy + 0.5) / size, c)) {
            sum = add(sum, c);
            ++covered;
          }
        }
      }
      out.colour.push_back(covered > 0 ? scale(sum, 1.0 / covered) : rgb{0, 0, 0});
      out.coverage.push_back(static_cast<double>(covered) / (size * size));
    }
  }
  return out;
}

// ---------------------------------------------------------------------------
// The umbrella, shared by the splash picture, the icons and the cursor

struct umbrella {
  double cx;            // shaft axis
  double apex_y;        // top of the canopy
  double half_width;    // canopy half width at the rim
  double height;        // apex to rim
  int panels;           // panels around the whole canopy (half face the viewer)
  double phase;         // turn of the canopy about the shaft, radians
  double scallop;       // how far the rim bows up between rib tips, pixels
  double rib_width;     // pixels; 0 for none
  double shaft_bottom;  // where the straight shaft turns into the hook
  double shaft_width;
  double hook_radius;
  double handle_width;
  double tip_height;  // the ferrule above the apex
  double outline;     // dark outline width, pixels; 0 for none
  rgb panel_a, panel_b, rib, shaft, handle, outline_colour;
};

// Rib tips facing the viewer, as canopy x fractions from -1 to 1, with the
// silhouette edges as the outermost tips.
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
  double spec = clamp((f * hx + v * hy + depth * hz) / hn, 0, 1);
  for (int i = 0; i < 5; ++i) spec *= spec;  // spec^32
  c = add(c, scale(rgb{1, 1, 1}, 0.35 * spec));

  if (u.rib_width > 0) {
    const double off = (position - cell < 0.5 ? position - cell : 1 - (position - cell)) * step;
    const double pixels = off * cosine(theta) * ring * u.half_width;
    if (pixels < u.rib_width / 2) c = mix(c, u.rib, 0.75);
  }
  return c;
}

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

// ---------------------------------------------------------------------------
// A small pixel font: 7 rows, cap height 7, x-height 5

struct glyph {
  char ch;
  int width;
  const char* rows[7];
};

// clang-format off
const glyph kFont[] = {
    {' ', 3, {"...", "...", "...", "...", "...", "...", "..."}},
    {'3', 5, {".###.", "#...#", "....#", "..##.", "....#", "#...#", ".###."}},
    {'A', 5, {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'E', 5, {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'I', 3, {"###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'O', 5, {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'R', 5, {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'U', 5, {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'Z', 5, {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'b', 5, {"#....", "#....", "#.##.", "##..#", "#...#", "#...#", "####."}},
    {'e', 5, {".....", ".....", ".###.", "#...#", "#####", "#....", ".###."}},
    {'l', 2, {"#.", "#.", "#.", "#.", "#.", "#.", ".#"}},
    {'m', 5, {".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"}},
    {'r', 4, {"....", "....", "#.##", "##..", "#...", "#...", "#..."}},
};
// clang-format on

const glyph* find_glyph(char ch) {
  for (const glyph& g : kFont) {
    if (g.ch == ch) return &g;
  }
  return &kFont[0];
}

bool glyph_set(const glyph& g, int column, int row) {
  return column >= 0 && column < g.width && row >= 0 && row < 7 && g.rows[row][column] == '#';
}

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

double text_width(const char* text, double spacing) {
  double width = 0;
  for (const char* p = text; *p != 0; ++p) {
    width += find_glyph(*p)->width;
    if (p[1] != 0) width += spacing;
  }
  return width;
}

// Whether text set at (left, top), `scale` pixels per font pixel, covers the
// point. A pen of 0 draws the font's square pixels as they are.
bool text_covers(const char* text, double left, double top, double scale_px, double spacing,
                 double pen, double x, double y) {
  const double u = (x - left) / scale_px;
  const double v = (y - top) / scale_px;
  if (v < -1 || v > 8) return false;
  double origin = 0;
  for (const char* p = text; *p != 0; ++p) {
    const glyph& g = *find_glyph(*p);
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

// ---------------------------------------------------------------------------
// Colour reduction: median cut to an exact palette size

struct palette_image {
  std::vector<std::uint32_t> palette;  // 0xRRGGBB
  std::vector<std::uint8_t> index;     // one per pixel
};

unsigned channel_of(std::uint32_t colour, int channel) {
  return (colour >> (16 - 8 * channel)) & 0xFFu;
}

// Splits the colour space into `size` boxes, always cutting the box with the
// largest spread times pixel count at its weighted median; each box becomes
// one palette entry, the pixel-weighted mean of its colours, and every pixel
// takes its own box's entry, so every entry is used. Entries are ordered by
// brightness.
palette_image reduce_colours(const std::vector<std::uint32_t>& pixels, std::size_t size) {
  struct entry {
    std::uint32_t colour;
    std::uint32_t count;
  };
  std::vector<std::uint32_t> sorted = pixels;
  std::sort(sorted.begin(), sorted.end());
  std::vector<entry> histogram;
  for (std::uint32_t c : sorted) {
    if (!histogram.empty() && histogram.back().colour == c) {
      ++histogram.back().count;
    } else {
      histogram.push_back({c, 1});
    }
  }

  struct box {
    std::size_t begin, end;
  };
  std::vector<box> boxes = {{0, histogram.size()}};
  while (boxes.size() < size) {
    std::size_t best = boxes.size();
    std::uint64_t best_score = 0;
    int best_channel = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].end - boxes[i].begin < 2) continue;
      unsigned low[3] = {255, 255, 255};
      unsigned high[3] = {0, 0, 0};
      std::uint64_t count = 0;
      for (std::size_t k = boxes[i].begin; k < boxes[i].end; ++k) {
        for (int ch = 0; ch < 3; ++ch) {
          low[ch] = std::min(low[ch], channel_of(histogram[k].colour, ch));
          high[ch] = std::max(high[ch], channel_of(histogram[k].colour, ch));
        }
        count += histogram[k].count;
      }
      int channel = 0;
      for (int ch = 1; ch < 3; ++ch) {
        if (high[ch] - low[ch] > high[channel] - low[channel]) channel = ch;
      }
      const std::uint64_t spread = high[channel] - low[channel];
      const std::uint64_t score = spread * spread * count + 1;
      if (score > best_score) {
        best_score = score;
        best = i;
        best_channel = channel;
      }
    }
    if (best == boxes.size()) break;  // fewer colours than entries
    const box b = boxes[best];
    std::sort(histogram.begin() + static_cast<std::ptrdiff_t>(b.begin),
              histogram.begin() + static_cast<std::ptrdiff_t>(b.end),
              [best_channel](const entry& l, const entry& r) {
                const unsigned lc = channel_of(l.colour, best_channel);
                const unsigned rc = channel_of(r.colour, best_channel);
                return lc != rc ? lc < rc : l.colour < r.colour;
              });
    std::uint64_t total = 0;
    for (std::size_t k = b.begin; k < b.end; ++k) total += histogram[k].count;
    std::uint64_t running = 0;
    std::size_t cut = b.begin + 1;
    for (std::size_t k = b.begin; k + 1 < b.end; ++k) {
      running += histogram[k].count;
      cut = k + 1;
      if (2 * running >= total) break;
    }
    boxes[best] = {b.begin, cut};
    boxes.push_back({cut, b.end});
  }

  struct mean_entry {
    std::uint32_t colour;
    std::size_t box;
  };
  std::vector<mean_entry> means;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    std::uint64_t sum[3] = {0, 0, 0};
    std::uint64_t count = 0;
    for (std::size_t k = boxes[i].begin; k < boxes[i].end; ++k) {
      for (int ch = 0; ch < 3; ++ch)
        sum[ch] += channel_of(histogram[k].colour, ch) * std::uint64_t{histogram[k].count};
      count += histogram[k].count;
    }
    std::uint32_t colour = 0;
    for (int ch = 0; ch < 3; ++ch) {
      colour = (colour << 8) | static_cast<std::uint32_t>((sum[ch] + count / 2) / count);
    }
    means.push_back({colour, i});
  }
  auto brightness = [](std::uint32_t c) {
    return 299 * channel_of(c, 0) + 587 * channel_of(c, 1) + 114 * channel_of(c, 2);
  };
  std::sort(means.begin(), means.end(), [&](const mean_entry& l, const mean_entry& r) {
    const unsigned lb = brightness(l.colour);
    const unsigned rb = brightness(r.colour);
    if (lb != rb) return lb < rb;
    return l.colour != r.colour ? l.colour < r.colour : l.box < r.box;
  });

  // colour -> palette index, through the box that holds the colour.
  std::vector<std::pair<std::uint32_t, std::uint8_t>> lookup;
  palette_image out;
  for (std::size_t p = 0; p < means.size(); ++p) {
    out.palette.push_back(means[p].colour);
    const box& b = boxes[means[p].box];
    for (std::size_t k = b.begin; k < b.end; ++k) {
      lookup.emplace_back(histogram[k].colour, static_cast<std::uint8_t>(p));
    }
  }
  std::sort(lookup.begin(), lookup.end());
  for (std::uint32_t c : pixels) {
    const auto it =
        std::lower_bound(lookup.begin(), lookup.end(), std::make_pair(c, std::uint8_t{0}));
    out.index.push_back(it->second);
  }
  return out;
}

std::uint32_t pack(const rgb& c) {
  return (channel_byte(c.r) << 16) | (channel_byte(c.g) << 8) | channel_byte(c.b);
}

// ---------------------------------------------------------------------------
// The splash picture

constexpr int kSplashWidth = 186;
constexpr int kSplashHeight = 159;
constexpr int kSplashPlainBand = 130;  // from this row down: plain and dark

const char kTitle[] = "Ombrel";
const char kSubtitle[] = "REZIZAZURIRO 3";
constexpr double kTitleScale = 4;
constexpr double kTitleTop = 79;
constexpr double kSubtitleTop = 114;

umbrella splash_umbrella() {
  umbrella u = {};
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
  u.panel_a = hex(0xE4503F);
  u.panel_b = hex(0xF6E7CF);
  u.rib = hex(0x7A2430);
  u.shaft = hex(0xC9CDD8);
  u.handle = hex(0x9A5B34);
  u.outline_colour = hex(0);
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

// The canopy's top surface at x, or a large value outside the canopy span.
double canopy_top(const umbrella& u, double x) {
  const double f = (x - u.cx) / u.half_width;
  if (f <= -1 || f >= 1) return 1e9;
  return u.apex_y + u.height - u.height * std::sqrt(1 - f * f);
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

picture draw_splash() {
  const umbrella u = splash_umbrella();
  const std::vector<double> tips = rib_tips(u);
  const std::vector<rain_streak> rain = splash_rain(u);
  const double title_left =
      std::floor((kSplashWidth - text_width(kTitle, 1) * kTitleScale) / 2) + 0.5;
  const double subtitle_left = std::floor((kSplashWidth - text_width(kSubtitle, 2)) / 2);
  const rgb rain_colour = hex(0xA9BEEA);
  const rgb title_top = hex(0xFFF8EC);
  const rgb title_bottom = hex(0xE4D8EE);
  const rgb subtitle_colour = hex(0xF2A384);
  const rgb rule_colour = hex(0x5B5390);

  return render(kSplashWidth, kSplashHeight, 4, [&](double x, double y, rgb& out) {
    rgb c = splash_background(x, y);
    for (const rain_streak& r : rain) {
      if (distance_to_segment_squared(x, y, r.x0, r.y0, r.x1, r.y1) <= 0.25 &&
          y < canopy_top(u, x) - 0.5) {
        // Streaks fade in from their top end.
        const double along = clamp((y - r.y0) / (r.y1 - r.y0), 0, 1);
        c = mix(c, rain_colour, r.alpha * along);
      }
    }
    // A faint shadow under the canopy's rim.
    {
      const double dx = (x - u.cx) / (u.half_width * 0.9);
      const double dy = (y - (u.apex_y + u.height + 3)) / 4.5;
      const double d2 = dx * dx + dy * dy;
      if (d2 < 1) c = scale(c, 1 - 0.35 * (1 - d2));
    }
    rgb umbrella_c;
    if (umbrella_colour(u, tips, x, y, umbrella_c)) c = umbrella_c;

    // Title: a soft shadow, then the letters with a gentle vertical gradient.
    const double pen = 0.62;
    if (text_covers(kTitle, title_left + 1.2, kTitleTop + 1.8, kTitleScale, 1, pen, x, y)) {
      c = mix(c, hex(0x05050C), 0.55);
    }
    if (text_covers(kTitle, title_left, kTitleTop, kTitleScale, 1, pen, x, y)) {
      c = mix(title_top, title_bottom, clamp((y - kTitleTop) / (7 * kTitleScale), 0, 1));
    }
    // Subtitle in the square pixel font, letter-spaced, between two rules.
    if (text_covers(kSubtitle, subtitle_left, kSubtitleTop, 1, 2, 0, x, y)) c = subtitle_colour;
    const double rule_y = kSubtitleTop + 3.5;
    if (y >= rule_y - 0.5 && y < rule_y + 0.5) {
      const double gap = 6;
      const double left_end = subtitle_left - gap;
      const double right_start = subtitle_left + text_width(kSubtitle, 2) + gap;
      if ((x >= left_end - 22 && x < left_end) || (x >= right_start && x < right_start + 22)) {
        const double fade = x < left_end ? (x - (left_end - 22)) / 22 : (right_start + 22 - x) / 22;
        c = mix(c, rule_colour, clamp(fade, 0, 1));
      }
    }
    out = c;
    return true;
  });
}

byte_buffer make_splash_bitmap() {
  const picture drawn = draw_splash();
  std::vector<std::uint32_t> pixels;
  for (const rgb& c : drawn.colour) pixels.push_back(pack(c));
  const palette_image reduced = reduce_colours(pixels, 256);

  const std::uint32_t stride = (kSplashWidth + 3) / 4 * 4;
  const std::uint32_t image_size = stride * kSplashHeight;
  const std::uint32_t bits_offset = 14 + 40 + 256 * 4;
  byte_buffer out;
  put_u8(out, 'B');
  put_u8(out, 'M');
  put_u32(out, bits_offset + image_size);
  put_u32(out, 0);
  put_u32(out, bits_offset);
  put_u32(out, 40);
  put_i32(out, kSplashWidth);
  put_i32(out, kSplashHeight);  // positive: rows bottom-up
  put_u16(out, 1);
  put_u16(out, 8);
  put_u32(out, 0);  // BI_RGB
  put_u32(out, image_size);
  put_i32(out, 2851);  // 72.4 dots per inch
  put_i32(out, 2851);
  put_u32(out, 256);
  put_u32(out, 256);
  for (std::size_t i = 0; i < 256; ++i) {
    const std::uint32_t c = i < reduced.palette.size() ? reduced.palette[i] : 0;
    put_u8(out, c & 0xFF);
    put_u8(out, (c >> 8) & 0xFF);
    put_u8(out, (c >> 16) & 0xFF);
    put_u8(out, 0);
  }
  for (int row = kSplashHeight - 1; row >= 0; --row) {
    for (int x = 0; x < kSplashWidth; ++x) {
      put_u8(out, reduced.index[static_cast<std::size_t>(row * kSplashWidth + x)]);
    }
    for (std::uint32_t pad = kSplashWidth; pad < stride; ++pad) put_u8(out, 0);
  }
  return out;
}

// ---------------------------------------------------------------------------
// Icons and cursors: 32 x 32 device-independent bitmaps with an AND mask

constexpr int kIconSize = 32;

// An icon image's BITMAPINFOHEADER: the height counts the colour image and
// the AND mask below it.
byte_buffer icon_header(unsigned bits, std::uint32_t image_bytes) {
  byte_buffer out;
  put_u32(out, 40);
  put_i32(out, kIconSize);
  put_i32(out, kIconSize * 2);
  put_u16(out, 1);
  put_u16(out, bits);
  put_u32(out, 0);
  put_u32(out, image_bytes);
  put_u32(out, 0);
  put_u32(out, 0);
  put_u32(out, 0);
  put_u32(out, 0);
  return out;
}

// The AND mask: 1 bits are transparent; rows bottom-up, 4 bytes each.
void put_mask(byte_buffer& out, const picture& p) {
  for (int row = kIconSize - 1; row >= 0; --row) {
    std::uint32_t bits = 0;
    for (int x = 0; x < kIconSize; ++x) {
      if (p.coverage[static_cast<std::size_t>(row * kIconSize + x)] < 0.5) bits |= 0x80000000u >> x;
    }
    put_u8(out, bits >> 24);
    put_u8(out, (bits >> 16) & 0xFF);
    put_u8(out, (bits >> 8) & 0xFF);
    put_u8(out, bits & 0xFF);
  }
}

bool opaque(const picture& p, int x, int row) {
  return p.coverage[static_cast<std::size_t>(row * kIconSize + x)] >= 0.5;
}

byte_buffer dib_24(const picture& p) {
  byte_buffer out = icon_header(24, kIconSize * kIconSize * 3 + kIconSize * 4);
  for (int row = kIconSize - 1; row >= 0; --row) {
    for (int x = 0; x < kIconSize; ++x) {
      const rgb c = opaque(p, x, row) ? p.colour[static_cast<std::size_t>(row * kIconSize + x)]
                                      : rgb{0, 0, 0};
      put_u8(out, channel_byte(c.b));
      put_u8(out, channel_byte(c.g));
      put_u8(out, channel_byte(c.r));
    }
  }
  put_mask(out, p);
  return out;
}

// 32 bits per pixel with straight alpha, and the AND mask for systems that
// ignore the alpha.
byte_buffer dib_32(const picture& p) {
  byte_buffer out = icon_header(32, kIconSize * kIconSize * 4 + kIconSize * 4);
  for (int row = kIconSize - 1; row >= 0; --row) {
    for (int x = 0; x < kIconSize; ++x) {
      const std::size_t i = static_cast<std::size_t>(row * kIconSize + x);
      const unsigned alpha = channel_byte(p.coverage[i]);
      const rgb c = alpha > 0 ? p.colour[i] : rgb{0, 0, 0};
      put_u8(out, channel_byte(c.b));
      put_u8(out, channel_byte(c.g));
      put_u8(out, channel_byte(c.r));
      put_u8(out, alpha);
    }
  }
  put_mask(out, p);
  return out;
}

std::uint32_t colour_distance(std::uint32_t a, const rgb& c) {
  std::uint32_t d = 0;
  const double channels[3] = {c.r, c.g, c.b};
  for (int ch = 0; ch < 3; ++ch) {
    const int diff =
        static_cast<int>(channel_of(a, ch)) - static_cast<int>(channel_byte(channels[ch]));
    d += static_cast<std::uint32_t>(diff * diff);
  }
  return d;
}

// 16 colours from a fixed palette, nearest entry per pixel.
byte_buffer dib_4(const picture& p, const std::vector<std::uint32_t>& palette) {
  byte_buffer out = icon_header(4, kIconSize * kIconSize / 2 + kIconSize * 4);
  for (std::uint32_t c : palette) {
    put_u8(out, c & 0xFF);
    put_u8(out, (c >> 8) & 0xFF);
    put_u8(out, (c >> 16) & 0xFF);
    put_u8(out, 0);
  }
  for (int row = kIconSize - 1; row >= 0; --row) {
    for (int x = 0; x < kIconSize; x += 2) {
      unsigned pair = 0;
      for (int half = 0; half < 2; ++half) {
        unsigned best = 0;  // entry 0 is black: transparent pixels use it
        if (opaque(p, x + half, row)) {
          const rgb& c = p.colour[static_cast<std::size_t>(row * kIconSize + x + half)];
          std::uint32_t best_distance = 0xFFFFFFFFu;
          for (unsigned k = 0; k < palette.size(); ++k) {
            const std::uint32_t d = colour_distance(palette[k], c);
            if (d < best_distance) {
              best_distance = d;
              best = k;
            }
          }
        }
        pair = (pair << 4) | best;
      }
      put_u8(out, pair);
    }
  }
  put_mask(out, p);
  return out;
}

// A one-image .ico (type 1) or .cur (type 2, with a hot spot) file.
byte_buffer icon_file(const byte_buffer& dib, unsigned bits, unsigned colours, bool cursor,
                      unsigned hot_x, unsigned hot_y) {
  byte_buffer out;
  put_u16(out, 0);
  put_u16(out, cursor ? 2 : 1);
  put_u16(out, 1);
  put_u8(out, kIconSize);
  put_u8(out, kIconSize);
  put_u8(out, colours);  // 0 for 256 or more
  put_u8(out, 0);
  put_u16(out, cursor ? hot_x : 1);     // planes, or the hot spot's x
  put_u16(out, cursor ? hot_y : bits);  // bit count, or the hot spot's y
  put_u32(out, static_cast<std::uint32_t>(dib.size()));
  put_u32(out, 6 + 16);
  put_bytes(out, dib);
  return out;
}

// The stopwatch: a round steel case with crown and side pusher, a white dial
// with quarter marks, a dark minute hand and a red seconds hand.
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

std::vector<std::uint32_t> stopwatch_palette() {
  return {0x000000, 0x1B1F29, 0x1F2A44, 0x3A4254, 0x6B7484, 0x8C95A3, 0xAAB2BE, 0xC8D2DE,
          0xDCE1E8, 0xF7F8FA, 0xFFFFFF, 0xD7263D, 0x8E1B2B, 0xE98A96, 0x4A6FA5, 0x9FB8D8};
}

umbrella icon_umbrella() {
  umbrella u = {};
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
  u.panel_a = hex(0xE4503F);
  u.panel_b = hex(0xF6E7CF);
  u.rib = hex(0x7A2430);
  u.shaft = hex(0xC9CDD8);
  u.handle = hex(0x9A5B34);
  u.outline_colour = hex(0x2A1A24);
  return u;
}

picture draw_umbrella_icon(bool on_tile) {
  const umbrella u = icon_umbrella();
  const std::vector<double> tips = rib_tips(u);
  const rgb tile_top = hex(0x2F2A5E);
  const rgb tile_bottom = hex(0x111833);
  return render(kIconSize, kIconSize, 4, [&](double x, double y, rgb& out) {
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

// ---------------------------------------------------------------------------
// The animated cursor: an umbrella opening, turning twice round, closing

struct cursor_frame {
  double openness;  // 0 furled, 1 open
  double turn;      // in panels
};

const cursor_frame kCursorFrames[] = {
    {0.0, 0}, {0.3, 0}, {0.6, 0}, {0.85, 0}, {1.0, 0}, {1.0, 0.5}, {1.0, 1.0}, {1.0, 1.5},
};
// Frame order and display time (in 1/60 s) of each step.
const std::uint32_t kCursorSequence[] = {0, 1, 2, 3, 4, 5, 6, 7, 4, 5, 6, 7, 4, 3, 2, 1};
const std::uint32_t kCursorRates[] = {30, 6, 6, 6, 10, 8, 8, 8, 8, 8, 8, 8, 20, 6, 6, 6};

picture draw_cursor_frame(const cursor_frame& frame) {
  umbrella u = icon_umbrella();
  const double s = ease(frame.openness);
  u.half_width = 3.2 + (14 - 3.2) * s;
  u.height = 19 - 8 * s;
  u.scallop = 2.2 * s;
  u.phase = frame.turn * 2 * kPi / u.panels;
  u.rib_width = 0.6;
  u.outline = 0;  // shown on a black window: no dark outline
  u.shaft = hex(0xD9DDE6);
  u.handle = hex(0xB8743F);
  const std::vector<double> tips = rib_tips(u);
  return render(kIconSize, kIconSize, 4,
                [&](double x, double y, rgb& out) { return umbrella_colour(u, tips, x, y, out); });
}

byte_buffer make_cursor() {
  byte_buffer info;
  byte_buffer name = {'O', 'm', 'b', 'r', 'e', 'l', 0};
  put_chunk(info, "INAM", name);

  const std::uint32_t frames = sizeof kCursorFrames / sizeof kCursorFrames[0];
  const std::uint32_t steps = sizeof kCursorSequence / sizeof kCursorSequence[0];
  byte_buffer header;
  put_u32(header, 36);
  put_u32(header, frames);
  put_u32(header, steps);
  for (int i = 0; i < 4; ++i) put_u32(header, 0);  // width, height, bits, planes: in the frames
  put_u32(header, 8);                              // default rate, 1/60 s
  put_u32(header, 1 | 2);                          // AF_ICON | AF_SEQUENCE

  byte_buffer rates;
  byte_buffer sequence;
  for (std::uint32_t i = 0; i < steps; ++i) {
    put_u32(rates, kCursorRates[i]);
    put_u32(sequence, kCursorSequence[i]);
  }

  byte_buffer frame_list;
  for (const cursor_frame& f : kCursorFrames) {
    put_chunk(frame_list, "icon", icon_file(dib_32(draw_cursor_frame(f)), 32, 0, true, 16, 16));
  }

  byte_buffer body;
  put_bytes(body, riff_form("LIST", "INFO", info));
  put_chunk(body, "anih", header);
  put_chunk(body, "rate", rates);
  put_chunk(body, "seq ", sequence);
  put_bytes(body, riff_form("LIST", "fram", frame_list));
  return riff_form("RIFF", "ACON", body);
}

// ---------------------------------------------------------------------------

byte_buffer make_click() { return make_wav({22050, 8, true, true}, make_click_samples()); }
byte_buffer make_close() { return make_wav({22050, 8, false, false}, make_close_samples()); }
byte_buffer make_chime() { return make_wav({11025, 16, false, false}, make_chime_samples()); }

byte_buffer make_lapwick_icon() {
  return icon_file(dib_4(draw_stopwatch(), stopwatch_palette()), 4, 16, false, 0, 0);
}
byte_buffer make_about_icon() {
  return icon_file(dib_24(draw_umbrella_icon(true)), 24, 0, false, 0, 0);
}
byte_buffer make_splash_icon() {
  return icon_file(dib_24(draw_umbrella_icon(false)), 24, 0, false, 0, 0);
}

struct asset {
  const char* name;
  byte_buffer (*make)();
};

const asset kAssets[] = {
    {"splash.bmp", make_splash_bitmap}, {"about_click.wav", make_click},
    {"about_close.wav", make_close},    {"lapwick_chime.wav", make_chime},
    {"lapwick.ico", make_lapwick_icon}, {"about.ico", make_about_icon},
    {"splash.ico", make_splash_icon},   {"ombrel.ani", make_cursor},
};

bool write_file(const std::string& path, const byte_buffer& data) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_assets OUTDIR\n");
    return 2;
  }
  for (const asset& a : kAssets) {
    const std::string path = std::string(argv[1]) + "/" + a.name;
    if (!write_file(path, a.make())) {
      std::fprintf(stderr, "make_assets: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
