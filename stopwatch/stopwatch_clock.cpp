#include "stopwatch_clock.h"

#include "clock_calls.h"
#include "sound.h"
#include "stopwatch_state.h"
#include "string_functions.h"

namespace {

// Synchronous: whoever chimes goes on only when the sound has ended.
void play_chime() { play_wav_resource(stopwatch_module, MAKEINTRESOURCEA(CHIME_RESOURCE_ID)); }

// The last two characters of the counter's text: 107 gives "07".
char* two_digits(int counter) { return str_right(str_number(counter), 2); }

void start_timer() {
  // Calling it again for the same id restarts the period from now.
  const UINT_PTR started =
      clock_calls.set_timer(stopwatch_window, STOPWATCH_TIMER_ID, STOPWATCH_TIMER_MS, nullptr);
  // A timer that could not be had would count nothing: the state stays as
  // it was and no chime claims otherwise, so the next Run tries again.
  if (started == 0) return;
  timer_id = started;
  run_state = STATE_RUNNING;
  play_chime();
}

}  // namespace

void run_clock() {
  if (run_state == STATE_RUNNING) return;  // already running: no restart, no chime
  start_timer();
}

void pause_clock() {
  if (run_state == STATE_RESET) return;
  // The timer keeps firing while paused; its messages just go uncounted,
  // so resuming here keeps the old phase.
  run_state = (run_state == STATE_RUNNING) ? STATE_PAUSED : STATE_RUNNING;
  play_chime();
}

void reset_clock() {
  // The same in every state, even reset: the title is rewritten and the
  // chime still sounds.
  clock_calls.kill_timer(stopwatch_window, timer_id);
  run_state = STATE_RESET;
  reset_display();
  play_chime();
}

void reset_counters() {
  second_count = COUNTER_BASE;
  minute_count = COUNTER_BASE;
  hour_count = COUNTER_BASE;
}

void reset_display() {
  clock_calls.set_window_text(stopwatch_window, RESET_TITLE);
  reset_counters();
  run_state = STATE_RESET;
}

void stopwatch_tick() {
  second_count += 1;
  if (second_count == COUNTER_ROLL_OVER) {
    // The whole-minute chime ends before the minute moves on the title.
    play_chime();
    minute_count += 1;
    second_count = COUNTER_BASE;
    copy_text(seconds_text, "00");
  } else {
    copy_text(seconds_text, two_digits(second_count));
  }

  if (minute_count == COUNTER_ROLL_OVER) {
    hour_count += 1;
    minute_count = COUNTER_BASE;
    copy_text(minutes_text, "00:");
  } else {
    copy_text(minutes_text, str_join(2, two_digits(minute_count), ":"));
  }

  // Hours are never wrapped: 200 reads " 200", whose last two characters
  // start the hours again at 00 while minutes and seconds go on.
  copy_text(hours_text, str_join(2, two_digits(hour_count), ":"));

  copy_text(time_text, str_join(3, hours_text, minutes_text, seconds_text));
  clock_calls.set_window_text(stopwatch_window, time_text);
}
