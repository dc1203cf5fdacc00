#include "synthesis.h"

#include "exact_math.h"

double fade_after(double t, double start, double duration) {
  return 1 - ease((t - start) / duration);
}

double bell_note(double t, double frequency, double decay, double attack_time,
                 const bell_partial* partials, int partial_count) {
  if (t < 0) return 0;
  double v = 0;
  for (int p = 0; p < partial_count; ++p) {
    const bell_partial& partial = partials[p];
    v += partial.level * sine(2 * kPi * frequency * partial.ratio * t) *
         exponential(-t / (decay * partial.decay_scale));
  }
  return v * ease(t / attack_time);
}
