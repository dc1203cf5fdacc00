// Animated cursor (.ani) files: a RIFF "ACON" form holding a title, the
// animation header, the display time and frame of each step, and the
// frames themselves as whole .cur files.
#pragma once

#include <cstdint>
#include <vector>

#include "little_endian.h"

struct ani_step {
  std::uint32_t frame;  // index into the frames
  std::uint32_t rate;   // how long it shows, in 1/60 s
};

byte_buffer ani_file(const char* title, const std::vector<byte_buffer>& cur_frames,
                     const std::vector<ani_step>& steps, std::uint32_t default_rate);
