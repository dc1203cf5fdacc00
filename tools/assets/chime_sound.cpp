// A short, bright bell: C6 with inharmonic upper partials, 736 samples.
#include "chime_sound.h"

#include "synthesis.h"
#include "wav_file.h"

namespace {

constexpr int kRate = 11025;
constexpr int kSamples = 736;

const bell_partial kPartials[] = {
    {1.0, 1.0, 1.0}, {2.0, 0.42, 0.6}, {2.92, 0.24, 0.4}, {4.16, 0.12, 0.28}};

}  // namespace

byte_buffer make_chime_sound() {
  const double length = static_cast<double>(kSamples) / kRate;
  const std::vector<double> wave = synthesise(kRate, kSamples, [&](double t) {
    const double v = 0.52 * bell_note(t, 1046.5, 0.028, 0.0025, kPartials, 4);
    return v * fade_after(t, length - 0.008, 0.008);
  });
  return wav_file({kRate, 16, false, false}, pcm16_samples(wave));
}
