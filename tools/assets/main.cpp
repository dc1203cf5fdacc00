// make_assets OUTDIR
//
// Draws and synthesises every picture and sound that the three programs
// carry and writes them into OUTDIR. The output depends on nothing but these
// sources (no clock, no system random numbers, no library maths; see
// exact_math.h), so the committed files can be checked byte for byte.
//
// Exit status: 0 when every file is written, 1 when one cannot be, 2 for a
// wrong command line.

#include <cstdio>
#include <string>

#include "chime_sound.h"
#include "click_sound.h"
#include "close_sound.h"
#include "little_endian.h"
#include "splash_bitmap.h"
#include "stopwatch_icon.h"
#include "umbrella_cursor.h"
#include "umbrella_icons.h"

namespace {

struct asset {
  const char* name;
  byte_buffer (*make)();
};

const asset kAssets[] = {
    {"splash.bmp", make_splash_bitmap},          // the splash picture, 186 x 159, 8-bit
    {"splash_150.bmp", make_splash_bitmap_150},  // the same at 150 %, 279 x 239
    {"splash_200.bmp", make_splash_bitmap_200},  // and at 200 %, 372 x 318
    {"about_click.wav", make_click_sound},       // About window's typing click, 8-bit 22050 Hz
    {"about_close.wav", make_close_sound},       // About window's closing chime, 8-bit 22050 Hz
    {"lapwick_chime.wav", make_chime_sound},     // stopwatch chime, 16-bit 11025 Hz
    {"lapwick.ico", make_stopwatch_icon},        // 16 to 256 pixels, 16 colours
    {"about.ico", make_about_icon},              // umbrella on a tile, 16 to 256 pixels, 24-bit
    {"splash.ico", make_splash_icon},            // umbrella alone, 16 to 256 pixels, 24-bit
    {"ombrel.ani", make_umbrella_cursor},        // an umbrella opening and turning
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
