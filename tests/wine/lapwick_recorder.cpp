#include "lapwick_recorder.h"

#include "clock_calls.h"
#include "program_facts.h"
#include "sound.h"
#include "stopwatch_clock.h"

std::vector<std::string> clock_effects;
ULONGLONG test_clock_ms = TEST_CLOCK_START_MS;

ULONGLONG WINAPI read_test_clock() { return test_clock_ms; }
void move_clock(ULONGLONG ms) { test_clock_ms += ms; }

namespace {

bool timer_should_fail = false;

std::string window_note(HWND window) {
  return window == stopwatch_window ? "" : " on another window";
}

UINT_PTR WINAPI record_set_timer(HWND window, UINT_PTR id, UINT period_ms, TIMERPROC procedure) {
  std::string entry = "SetTimer " + std::to_string(id) + " " + std::to_string(period_ms);
  if (procedure != nullptr) entry += " with procedure";
  clock_effects.push_back(entry + window_note(window));
  if (timer_should_fail) return 0;
  return SetTimer(window, id, period_ms, procedure);
}

BOOL WINAPI record_kill_timer(HWND window, UINT_PTR id) {
  clock_effects.push_back("KillTimer " + std::to_string(id) + window_note(window));
  return KillTimer(window, id);
}

BOOL WINAPI record_title(HWND window, LPCSTR text) {
  clock_effects.push_back(std::string("title ") + text + window_note(window));
  return SetWindowTextA(window, text);
}

void record_sound(HMODULE module, LPCSTR resource_id) {
  const bool chime =
      module == stopwatch_module && resource_id == MAKEINTRESOURCEA(LAPWICK_CHIME_SOUND);
  clock_effects.push_back(chime ? "chime" : "other sound");
}

}  // namespace

void start_recording(bool set_timer_fails) {
  timer_should_fail = set_timer_fails;
  clock_effects.clear();
  clock_calls.tick_count = read_test_clock;
  clock_calls.set_timer = record_set_timer;
  clock_calls.kill_timer = record_kill_timer;
  clock_calls.set_window_text = record_title;
  set_sound_observer(record_sound);
}

void stop_recording() {
  restore_clock_calls();
  set_sound_observer(nullptr);
}

void reset_clock_state(HWND window) {
  stopwatch_window = window;
  stopwatch_module = GetModuleHandleA(nullptr);
  run_state = STATE_RESET;
  timer_id = 0;
  earlier_running_ms = 0;
  stretch_start_ms = 0;
  shown_seconds = 0;
  reset_counters();
  test_clock_ms = TEST_CLOCK_START_MS;
}

int chimes_recorded() {
  int chimes = 0;
  for (const std::string& effect : clock_effects) chimes += effect == "chime" ? 1 : 0;
  return chimes;
}
