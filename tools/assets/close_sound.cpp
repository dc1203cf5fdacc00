// A soft descending "ding-dong" (G5 then D5) that fades to silence.
#include "close_sound.h"

#include "synthesis.h"
#include "wav_file.h"

namespace {

constexpr int kRate = 22050;
constexpr int kSamples = 13382;

const bell_partial kPartials[] = {{1.0, 1.0, 1.0}, {2.0, 0.22, 0.5}, {3.0, 0.07, 0.3}};

}  // namespace

byte_buffer make_close_sound() {
  const double length = static_cast<double>(kSamples) / kRate;
  const std::vector<double> wave = synthesise(kRate, kSamples, [&](double t) {
    const double v = 0.34 * bell_note(t, 783.99, 0.16, 0.012, kPartials, 3) +
                     0.40 * bell_note(t - 0.165, 587.33, 0.20, 0.015, kPartials, 3);
    return v * fade_after(t, length - 0.12, 0.12);
  });
  return wav_file({kRate, 8, false, false}, pcm8_samples(wave));
}
