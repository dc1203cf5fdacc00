// A typewriter key: a sharp noise transient over a short body resonance for
// the strike, a quieter second tick as the type bar falls back, and then
// silence for the rest of the sample, which sets the typing pace.
#include "click_sound.h"

#include "exact_math.h"
#include "synthesis.h"
#include "wav_file.h"

namespace {

constexpr int kRate = 22050;
constexpr int kSamples = 4578;

}  // namespace

byte_buffer make_click_sound() {
  lcg noise(0x0B5E1u);
  double previous_noise = 0;
  const std::vector<double> wave = synthesise(kRate, kSamples, [&](double t) {
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
    v *= fade_after(t, 0.030, 0.015);
    return 0.9 * v;
  });
  return wav_file({kRate, 8, true, true}, pcm8_samples(wave));
}
