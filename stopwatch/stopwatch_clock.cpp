#include "stopwatch_clock.h"

#include "clock_calls.h"
#include "sound.h"
#include "stopwatch_state.h"
#include "string_functions.h"

namespace {

constexpr ULONGLONG MS_PER_SECOND = 1000;
constexpr ULONGLONG SECONDS_PER_MINUTE = 60;
constexpr ULONGLONG SECONDS_PER_HOUR = 3600;

// Synchronous: whoever chimes goes on only when the sound has ended.
void play_chime() { play_wav_resource(stopwatch_module, MAKEINTRESOURCEA(CHIME_RESOURCE_ID)); }

// The last two characters of the counter's text: 107 gives "07".
char* two_digits(int counter) { return str_right(str_number(counter), 2); }

// Until the running time reaches its next whole second; a whole period
// while the time stands still.
UINT next_refresh_ms() {
  if (run_state != STATE_RUNNING) return STOPWATCH_TIMER_MS;
  return STOPWATCH_TIMER_MS - static_cast<UINT>(running_ms() % MS_PER_SECOND);
}

// Timer messages are late whenever the thread is busy and the system
// rounds every period up to its own tick, so the timer is set again at
// each refresh from the clock itself: the title stays close behind each
// whole second however late the last message came.
void arm_refresh_timer() {
  clock_calls.set_timer(stopwatch_window, STOPWATCH_TIMER_ID, next_refresh_ms(), nullptr);
}

// Counters hold 100 plus their field; hours are never wrapped, so 100
// hours read " 200", whose last two characters start the field again at
// 00 while minutes and seconds go on.
void show_seconds(ULONGLONG seconds) {
  shown_seconds = seconds;
  second_count = COUNTER_BASE + static_cast<int>(seconds % SECONDS_PER_MINUTE);
  minute_count = COUNTER_BASE + static_cast<int>(seconds / SECONDS_PER_MINUTE % 60);
  hour_count = COUNTER_BASE + static_cast<int>(seconds / SECONDS_PER_HOUR);
  copy_text(seconds_text, two_digits(second_count));
  copy_text(minutes_text, str_join(2, two_digits(minute_count), ":"));
  copy_text(hours_text, str_join(2, two_digits(hour_count), ":"));
  copy_text(time_text, str_join(3, hours_text, minutes_text, seconds_text));
  clock_calls.set_window_text(stopwatch_window, time_text);
}

}  // namespace

ULONGLONG running_ms() {
  if (run_state != STATE_RUNNING) return earlier_running_ms;
  return earlier_running_ms + (clock_calls.tick_count() - stretch_start_ms);
}

void run_clock() {
  if (run_state == STATE_RUNNING) return;  // already running: no restart, no chime
  const ULONGLONG now = clock_calls.tick_count();
  // From reset a whole second; after a pause the rest of the second that
  // was running when it came.
  const UINT first_refresh_ms =
      STOPWATCH_TIMER_MS - static_cast<UINT>(earlier_running_ms % MS_PER_SECOND);
  const UINT_PTR started =
      clock_calls.set_timer(stopwatch_window, STOPWATCH_TIMER_ID, first_refresh_ms, nullptr);
  // A timer that could not be had would show nothing: the state stays as
  // it was and no chime claims otherwise, so the next Run tries again.
  if (started == 0) return;
  timer_id = started;
  stretch_start_ms = now;
  run_state = STATE_RUNNING;
  play_chime();
}

void pause_clock() {
  if (run_state == STATE_RESET) return;
  const ULONGLONG now = clock_calls.tick_count();
  if (run_state == STATE_RUNNING) {
    // The stretch is kept to the millisecond. The timer goes on; its
    // messages find the time standing still.
    earlier_running_ms += now - stretch_start_ms;
    run_state = STATE_PAUSED;
  } else {
    stretch_start_ms = now;
    run_state = STATE_RUNNING;
    arm_refresh_timer();
  }
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
  earlier_running_ms = 0;
  shown_seconds = 0;
  reset_counters();
  run_state = STATE_RESET;
}

void stopwatch_refresh() {
  if (run_state == STATE_RESET) return;
  ULONGLONG seconds = running_ms() / MS_PER_SECOND;
  // However many minutes went by unseen (a stalled or sleeping machine),
  // one chime, and it ends before the new minute reaches the title.
  if (seconds / SECONDS_PER_MINUTE > shown_seconds / SECONDS_PER_MINUTE) {
    play_chime();
    // A command that came in during the chime has already had its say.
    if (run_state == STATE_RESET) return;
    seconds = running_ms() / MS_PER_SECOND;
  }
  // The caption is drawn again only when its text changes.
  if (seconds != shown_seconds) show_seconds(seconds);
  arm_refresh_timer();
}
