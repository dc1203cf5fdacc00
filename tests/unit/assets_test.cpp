// The committed pictures and sounds: exactly what make_assets writes, and in
// the formats that the programs and the platform's loaders expect.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "little_endian.h"
#include "program_facts.h"

namespace {

using bytes = std::vector<unsigned char>;

const char* const kAssetNames[] = {
    "splash.bmp",        "splash_150.bmp", "splash_200.bmp", "about_click.wav", "about_close.wav",
    "lapwick_chime.wav", "lapwick.ico",    "about.ico",      "splash.ico",      "ombrel.ani"};

std::string env_or_empty(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool read_file(const std::string& path, bytes& out) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  out.clear();
  unsigned char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
    out.insert(out.end(), buffer, buffer + n);
  std::fclose(file);
  return true;
}

bytes committed(const char* name) {
  bytes data;
  EXPECT_TRUE(read_file(env_or_empty("OMBREL_RESOURCES_DIR") + "/" + name, data)) << name;
  return data;
}

// Exit status of make_assets run with the arguments, or -1.
int run_make_assets(std::vector<std::string> arguments) {
  std::string program = env_or_empty("OMBREL_MAKE_ASSETS");
  std::vector<char*> argv = {&program[0]};
  for (std::string& a : arguments) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

std::string tag(const bytes& b, std::size_t at) {
  return at + 4 <= b.size()
             ? std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4)
             : "";
}

struct chunk {
  std::string tag;
  std::size_t data;  // offset of the chunk's data
  std::uint32_t size;
};

// The chunks in [begin, end), each padded to an even length; fails when one
// runs past the end or the last one does not end exactly there.
bool parse_chunks(const bytes& b, std::size_t begin, std::size_t end, std::vector<chunk>& out) {
  out.clear();
  std::size_t at = begin;
  while (at + 8 <= end) {
    const chunk c = {tag(b, at), at + 8, read_u32(b, at + 4)};
    if (c.size > end - c.data) return false;
    out.push_back(c);
    at = c.data + c.size + (c.size % 2);
  }
  return at == end;
}

class MakeAssets : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string temp = env_or_empty("TMPDIR");
    std::string pattern = (temp.empty() ? "/tmp" : temp) + "/assets_test.XXXXXX";
    if (mkdtemp(&pattern[0]) != nullptr) out_dir_ = pattern;
    status_ = out_dir_.empty() ? -1 : run_make_assets({out_dir_});
  }
  static void TearDownTestSuite() {
    for (const char* name : kAssetNames) std::remove((out_dir_ + "/" + name).c_str());
    if (!out_dir_.empty()) rmdir(out_dir_.c_str());
  }
  static std::string out_dir_;
  static int status_;
};
std::string MakeAssets::out_dir_;
int MakeAssets::status_ = -1;

TEST_F(MakeAssets, WritesExactlyTheCommittedFiles) {
  ASSERT_EQ(status_, 0);
  for (const char* name : kAssetNames) {
    bytes made;
    ASSERT_TRUE(read_file(out_dir_ + "/" + name, made)) << name;
    const bytes kept = committed(name);
    ASSERT_EQ(made.size(), kept.size()) << name;
    std::size_t first_difference = 0;
    while (first_difference < made.size() && made[first_difference] == kept[first_difference]) {
      ++first_difference;
    }
    EXPECT_EQ(first_difference, made.size()) << name << " differs; run the update_assets target";
  }
}

TEST_F(MakeAssets, FailsWithoutAWritableFolder) {
  EXPECT_EQ(run_make_assets({}), 2);
  EXPECT_EQ(run_make_assets({out_dir_ + "/no/such/folder"}), 1);
}

// ---------------------------------------------------------------------------

struct wav_expectation {
  const char* name;
  std::uint32_t file_bytes, rate, bits, fmt_bytes;
  bool fact;
  std::uint32_t data_bytes;
};

const wav_expectation kSounds[] = {
    {"about_click.wav", ABOUT_CLICK_BYTES, 22050, 8, 18, true, 4578},
    {"about_close.wav", ABOUT_CLOSE_BYTES, 22050, 8, 16, false, 13382},
    {"lapwick_chime.wav", LAPWICK_CHIME_BYTES, 11025, 16, 16, false, 1472},
};

// The sample values of a sound, centred on 0 (8-bit data is offset by 128).
std::vector<int> samples(const char* name) {
  const bytes b = committed(name);
  std::vector<chunk> chunks;
  std::vector<int> out;
  if (!parse_chunks(b, 12, b.size(), chunks)) return out;
  const chunk& data = chunks.back();
  const bool sixteen = read_u16(b, 12 + 8 + 14) == 16;
  for (std::size_t i = data.data; i < data.data + data.size; i += sixteen ? 2 : 1) {
    out.push_back(sixteen ? static_cast<std::int16_t>(read_u16(b, i)) : b[i] - 128);
  }
  return out;
}

int peak(const std::vector<int>& s, std::size_t begin, std::size_t end) {
  int p = 0;
  for (std::size_t i = begin; i < end && i < s.size(); ++i) p = std::max(p, std::abs(s[i]));
  return p;
}

TEST(Sounds, ArePcmMonoWaveImagesOfTheExactLayout) {
  for (const wav_expectation& e : kSounds) {
    SCOPED_TRACE(e.name);
    const bytes b = committed(e.name);
    ASSERT_EQ(b.size(), e.file_bytes);
    EXPECT_EQ(tag(b, 0), "RIFF");
    EXPECT_EQ(read_u32(b, 4), e.file_bytes - 8);
    EXPECT_EQ(tag(b, 8), "WAVE");
    std::vector<chunk> chunks;
    ASSERT_TRUE(parse_chunks(b, 12, b.size(), chunks));
    const std::vector<std::string> order = e.fact ? std::vector<std::string>{"fmt ", "fact", "data"}
                                                  : std::vector<std::string>{"fmt ", "data"};
    ASSERT_EQ(chunks.size(), order.size());
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(chunks[i].tag, order[i]);

    const std::size_t f = chunks[0].data;
    EXPECT_EQ(chunks[0].size, e.fmt_bytes);
    EXPECT_EQ(read_u16(b, f), 1u);  // PCM
    EXPECT_EQ(read_u16(b, f + 2), 1u);
    EXPECT_EQ(read_u32(b, f + 4), e.rate);
    EXPECT_EQ(read_u32(b, f + 8), e.rate * e.bits / 8);
    EXPECT_EQ(read_u16(b, f + 12), e.bits / 8);
    EXPECT_EQ(read_u16(b, f + 14), e.bits);
    if (e.fmt_bytes == 18) {
      EXPECT_EQ(read_u16(b, f + 16), 0u);  // cbSize
    }
    if (e.fact) {
      EXPECT_EQ(read_u32(b, chunks[1].data), e.data_bytes / (e.bits / 8));  // samples
    }
    EXPECT_EQ(chunks.back().size, e.data_bytes);
  }
}

TEST(Sounds, ClickIsAShortBurstThenExactSilence) {
  const std::vector<int> s = samples("about_click.wav");
  ASSERT_EQ(s.size(), 4578u);
  EXPECT_GE(peak(s, 0, 220), 60);  // loud within the first 10 ms
  for (std::size_t i = 1100; i < s.size(); ++i) ASSERT_EQ(s[i], 0) << "sample " << i;
}

// Zero crossings per sample over a window: a rough pitch.
double crossing_rate(const std::vector<int>& s, std::size_t begin, std::size_t end) {
  int crossings = 0;
  for (std::size_t i = begin + 1; i < end; ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
  return static_cast<double>(crossings) / static_cast<double>(end - begin);
}

TEST(Sounds, ClosingSoundIsASoftFallingPairOfNotes) {
  const std::vector<int> s = samples("about_close.wav");
  ASSERT_EQ(s.size(), 13382u);
  EXPECT_LE(peak(s, 0, 8), 2);  // no click at either end
  EXPECT_LE(peak(s, s.size() - 8, s.size()), 1);
  EXPECT_GE(peak(s, 0, s.size()), 30);
  EXPECT_LE(peak(s, 0, s.size()), 100);  // soft, far from clipping
  // First note (0 to 150 ms) higher than the second (250 to 400 ms).
  EXPECT_GT(crossing_rate(s, 300, 3300), 1.15 * crossing_rate(s, 5500, 8800));
}

TEST(Sounds, ChimeStartsAndEndsAtRestAndDecays) {
  const std::vector<int> s = samples("lapwick_chime.wav");
  ASSERT_EQ(s.size(), 736u);
  EXPECT_LE(std::abs(s.front()), 64);
  EXPECT_LE(std::abs(s.back()), 64);
  const int loud = peak(s, 0, 184);
  EXPECT_GE(loud, 8000);
  EXPECT_LT(loud, 32767);
  EXPECT_LT(peak(s, 552, 736), loud / 4);
}

// ---------------------------------------------------------------------------

TEST(SplashBitmap, HeadersDescribeThe186By159PaletteImage) {
  const bytes b = committed("splash.bmp");
  ASSERT_EQ(b.size(), 30970u);
  EXPECT_EQ(tag(b, 0).substr(0, 2), "BM");
  EXPECT_EQ(read_u32(b, 2), 30970u);
  EXPECT_EQ(read_u32(b, 6), 0u);
  EXPECT_EQ(read_u32(b, 10), 14u + 40 + 1024);
  const std::uint32_t expected[] = {40, 186, 159};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(read_u32(b, 14 + 4 * i), expected[i]);
  EXPECT_EQ(read_u16(b, 26), 1u);
  EXPECT_EQ(read_u16(b, 28), 8u);
  EXPECT_EQ(read_u32(b, 30), 0u);  // BI_RGB
  EXPECT_EQ(read_u32(b, 34), 29892u);
  EXPECT_EQ(read_u32(b, 38), 2851u);
  EXPECT_EQ(read_u32(b, 42), 2851u);
  EXPECT_EQ(read_u32(b, 46), 256u);
  EXPECT_EQ(read_u32(b, 50), 256u);
  for (std::size_t i = 0; i < 256; ++i) EXPECT_EQ(b[54 + 4 * i + 3], 0) << "colour " << i;
}

TEST(SplashBitmap, UsesEveryColourAndKeepsTheBottomPlainAndDark) {
  const bytes b = committed("splash.bmp");
  ASSERT_EQ(b.size(), 30970u);
  auto luma = [&](unsigned index) {
    const std::size_t c = 54 + 4 * index;  // blue, green, red
    return (114 * b[c] + 587 * b[c + 1] + 299 * b[c + 2]) / 1000;
  };
  std::set<unsigned> used;
  int bright = 0;
  long bottom_sum = 0;
  int bottom_max = 0;
  for (int row = 0; row < 159; ++row) {  // stored bottom-up
    const std::size_t line = 1078 + static_cast<std::size_t>(row) * 188;
    EXPECT_EQ(b[line + 186], 0);
    EXPECT_EQ(b[line + 187], 0);
    for (std::size_t x = 0; x < 186; ++x) {
      const unsigned index = b[line + x];
      used.insert(index);
      if (row < 30) {
        bottom_sum += luma(index);
        bottom_max = std::max(bottom_max, static_cast<int>(luma(index)));
      } else if (luma(index) > 200) {
        ++bright;
      }
    }
  }
  EXPECT_EQ(used.size(), 256u);
  EXPECT_LT(bottom_sum / (30 * 186), 30);
  EXPECT_LT(bottom_max, 60);
  EXPECT_GT(bright, 500);  // the lettering and the canopy's light panels
}

// ---------------------------------------------------------------------------

// The image of size n described by the directory entry at `at` + 6 of an
// icon or cursor file (or cursor frame) starting at `file`: checks the
// entry and the image; returns the entry's image bytes.
std::size_t check_icon_image(const bytes& b, std::size_t file, std::size_t at, unsigned n,
                             unsigned type, unsigned bits) {
  EXPECT_EQ(b[at + 6], n & 0xFF);  // 0 for 256
  EXPECT_EQ(b[at + 7], n & 0xFF);
  if (n == 256) {  // a PNG of 8-bit RGBA pixels; its content is read back through Wine
    const std::size_t png = file + read_u32(b, at + 18);
    EXPECT_EQ(read_u16(b, at + 12), 32u);
    EXPECT_EQ(tag(b, png), "\x89PNG");
    EXPECT_EQ(tag(b, png + 12), "IHDR");
    EXPECT_EQ(read_u32(b, png + 16), 0x10000u);  // 256, big-endian
    EXPECT_EQ(read_u16(b, png + 24), 0x608u);    // 8 bits, RGBA
    return read_u32(b, at + 14);
  }
  EXPECT_EQ(b[at + 8], bits == 4 ? 16 : 0);
  if (type == 1) {
    EXPECT_EQ(read_u16(b, at + 10), 1u);
    EXPECT_EQ(read_u16(b, at + 12), bits);
  } else {  // hot spot in the middle
    EXPECT_EQ(read_u16(b, at + 10), n / 2);
    EXPECT_EQ(read_u16(b, at + 12), n / 2);
  }
  const std::uint32_t palette = bits == 4 ? 64 : 0;
  const std::uint32_t row = (n + 31) / 32 * 4;  // of the mask
  const std::uint32_t colour_row = (n * bits + 31) / 32 * 4;
  const std::uint32_t dib_bytes = 40 + palette + colour_row * n + row * n;
  EXPECT_EQ(read_u32(b, at + 14), dib_bytes);
  const std::size_t dib = file + read_u32(b, at + 18);
  EXPECT_EQ(read_u32(b, dib), 40u);
  EXPECT_EQ(read_u32(b, dib + 4), n);
  EXPECT_EQ(read_u32(b, dib + 8), 2 * n);  // colour image and mask
  EXPECT_EQ(read_u16(b, dib + 12), 1u);
  EXPECT_EQ(read_u16(b, dib + 14), bits);
  EXPECT_EQ(read_u32(b, dib + 16), 0u);
  // Where the mask is set the colour image must be black, or the system
  // would invert the screen beneath; with alpha, the mask follows the alpha.
  const std::size_t colour = dib + 40 + palette;
  const std::size_t mask = colour + colour_row * n;
  unsigned transparent = 0;
  for (std::size_t p = 0; p < n * n; ++p) {
    const std::size_t x = p % n;
    const bool masked = (b[mask + p / n * row + x / 8] & (0x80 >> (x % 8))) != 0;
    const std::size_t pixel = colour + p / n * colour_row + x * bits / 8;
    transparent += masked;
    if (bits == 32) {
      EXPECT_EQ(masked, b[pixel + 3] < 128) << "pixel " << p;
    } else if (masked) {
      const unsigned value = bits == 4 ? (b[pixel] >> (x % 2 == 0 ? 4 : 0)) & 0xF
                                       : b[pixel] | b[pixel + 1] | b[pixel + 2];
      EXPECT_EQ(value, 0u) << "pixel " << p;
    }
  }
  EXPECT_GT(transparent, 50 * n * n / 1024);
  EXPECT_LE(transparent, n * n - 100 * n * n / 1024);  // at least a tenth drawn
  return dib_bytes;
}

// An icon or cursor file (or cursor frame) at `at` with one image of each
// size, in the order given, right after its directory.
void check_icon(const bytes& b, std::size_t at, std::size_t length, unsigned type, unsigned bits,
                const std::vector<unsigned>& sizes = {32, 16, 20, 24, 40, 48, 64, 256}) {
  EXPECT_EQ(read_u16(b, at), 0u);
  EXPECT_EQ(read_u16(b, at + 2), type);
  ASSERT_EQ(read_u16(b, at + 4), sizes.size());
  std::size_t end = 6 + 16 * sizes.size();
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    EXPECT_EQ(read_u32(b, at + 16 * i + 18), end);
    end += check_icon_image(b, at, at + 16 * i, sizes[i], type, bits);
  }
  EXPECT_EQ(length, end);
}

TEST(Icons, HoldEverySizeWithMaskAtTheirColourDepth) {
  const struct {
    const char* name;
    unsigned bits;
  } icons[] = {{"lapwick.ico", 4}, {"about.ico", 24}, {"splash.ico", 24}};
  for (const auto& icon : icons) {
    SCOPED_TRACE(icon.name);
    const bytes b = committed(icon.name);
    check_icon(b, 0, b.size(), 1, icon.bits);
  }
}

TEST(AnimatedCursor, IsAnAconWithSequencedCursorFrames) {
  const bytes b = committed("ombrel.ani");
  ASSERT_EQ(tag(b, 0), "RIFF");
  EXPECT_EQ(read_u32(b, 4), b.size() - 8);
  EXPECT_EQ(tag(b, 8), "ACON");
  std::vector<chunk> chunks;
  ASSERT_TRUE(parse_chunks(b, 12, b.size(), chunks));
  const chunk* header = nullptr;
  const chunk* rate = nullptr;
  const chunk* sequence = nullptr;
  const chunk* frames = nullptr;
  for (const chunk& c : chunks) {
    if (c.tag == "anih") header = &c;
    if (c.tag == "rate") rate = &c;
    if (c.tag == "seq ") sequence = &c;
    if (c.tag == "LIST" && tag(b, c.data) == "fram") frames = &c;
  }
  ASSERT_TRUE(header != nullptr && rate != nullptr && sequence != nullptr && frames != nullptr);
  ASSERT_EQ(header->size, 36u);
  EXPECT_EQ(read_u32(b, header->data), 36u);
  const std::uint32_t frame_count = read_u32(b, header->data + 4);
  const std::uint32_t steps = read_u32(b, header->data + 8);
  EXPECT_GT(read_u32(b, header->data + 28), 0u);       // default rate
  EXPECT_EQ(read_u32(b, header->data + 32), 1u | 2u);  // AF_ICON | AF_SEQUENCE
  ASSERT_EQ(rate->size, 4 * steps);
  ASSERT_EQ(sequence->size, 4 * steps);
  for (std::uint32_t i = 0; i < steps; ++i) {
    EXPECT_GT(read_u32(b, rate->data + 4 * i), 0u);
    EXPECT_LT(read_u32(b, sequence->data + 4 * i), frame_count);
  }

  std::vector<chunk> icons;
  ASSERT_TRUE(parse_chunks(b, frames->data + 4, frames->data + frames->size, icons));
  ASSERT_EQ(icons.size(), frame_count);
  ASSERT_GE(frame_count, 4u);
  std::set<bytes> distinct;
  for (const chunk& icon : icons) {
    EXPECT_EQ(icon.tag, "icon");
    // An image for 100 %, 125 %, 150 %, 175 % and 200 % in every frame.
    check_icon(b, icon.data, icon.size, 2, 32, {32, 40, 48, 56, 64});
    distinct.insert(bytes(b.begin() + static_cast<long>(icon.data),
                          b.begin() + static_cast<long>(icon.data + icon.size)));
  }
  EXPECT_EQ(distinct.size(), frame_count);
}

}  // namespace
