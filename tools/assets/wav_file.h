// Mono PCM WAVE files. The sounds differ in header layout as well as in
// format (an 18-byte format with a fact chunk, or the plain 16-byte one), and
// the programs play them as they are, so the layout is the caller's choice.
#pragma once

#include <cstdint>
#include <vector>

#include "little_endian.h"

struct wav_layout {
  std::uint32_t sample_rate;
  unsigned bits;            // 8 or 16
  bool fmt_has_extra_size;  // 18-byte WAVEFORMATEX with cbSize 0, else 16-byte PCMWAVEFORMAT
  bool fact_chunk;          // a fact chunk with the sample count before the data
};

// The whole file around already encoded samples.
byte_buffer wav_file(const wav_layout& layout, const byte_buffer& samples);

// A wave in [-1, 1] (clipped beyond) as unsigned 8-bit samples; silence is 128.
byte_buffer pcm8_samples(const std::vector<double>& wave);
// The same as signed 16-bit little-endian samples.
byte_buffer pcm16_samples(const std::vector<double>& wave);
