#include "wav_file.h"

#include "exact_math.h"
#include "riff.h"

byte_buffer wav_file(const wav_layout& layout, const byte_buffer& samples) {
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

byte_buffer pcm8_samples(const std::vector<double>& wave) {
  byte_buffer out;
  for (double v : wave)
    put_u8(out, static_cast<unsigned>(128 + round_to_long(clamp(v, -1, 1) * 127)));
  return out;
}

byte_buffer pcm16_samples(const std::vector<double>& wave) {
  byte_buffer out;
  for (double v : wave) {
    const long s = round_to_long(clamp(v, -1, 1) * 32767);
    put_u16(out, static_cast<unsigned>(s) & 0xFFFFu);
  }
  return out;
}
