// Building blocks of the three sounds: a sample loop, a fade and a struck
// bell note. Each sound is a function of time alone (plus seeded noise), so
// the same samples come out on every run.
#pragma once

#include <cstddef>
#include <vector>

// count samples at rate per second: voice(t) for t = 0, 1/rate, ... in
// order, so a voice may keep state (noise, filters) from one call to the next.
template <typename Voice>
std::vector<double> synthesise(int rate, int count, Voice voice) {
  std::vector<double> wave(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    wave[static_cast<std::size_t>(i)] = voice(static_cast<double>(i) / rate);
  }
  return wave;
}

// Gain that falls smoothly from 1 at `start` to 0 at start + duration, so a
// sound ends in exact silence without a click.
double fade_after(double t, double start, double duration);

// One partial of a bell: frequency ratio to the note, level, and how much
// faster than the note it decays (1 = as slow as the note).
struct bell_partial {
  double ratio;
  double level;
  double decay_scale;
};

// One struck bell-like note at time t after the strike (0 before it): the
// partials, each with its own decay, and a short raised-cosine attack so the
// note starts without a click.
double bell_note(double t, double frequency, double decay, double attack_time,
                 const bell_partial* partials, int partial_count);
