#include "page_pace.h"

#include "page_clock.h"
#include "system_libraries.h"

namespace {

// The longest single sleep, so that a long pause still looks at the queue
// well within the tenth of a second after which a user notices.
constexpr DWORD LONGEST_SLEEP_MS = 50;
// The tick asked for around a page: a 5 ms step is then drawn on time.
constexpr UINT PAGE_TICK_MS = 1;

bool tick_raised = false;

// Lets the system see that the program is alive and hands it the messages
// other programs sent (they cannot wait for the page), but takes nothing
// from the queue: posted input and commands run after the page, in order.
void keep_answering() {
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
}

}  // namespace

step_pace start_pace(DWORD pause_ms) {
  return step_pace{page_clock.microseconds(), static_cast<ULONGLONG>(pause_ms) * 1000};
}

int step_due(const step_pace& pace, int next, int last) {
  const ULONGLONG elapsed = page_clock.microseconds() - pace.start_us;
  const ULONGLONG due = elapsed / pace.pause_us + 1;
  if (due <= static_cast<ULONGLONG>(next)) return next;
  return due >= static_cast<ULONGLONG>(last) ? last : static_cast<int>(due);
}

void wait_step_end(const step_pace& pace, int n) {
  const ULONGLONG end = pace.start_us + pace.pause_us * static_cast<ULONGLONG>(n);
  for (;;) {
    keep_answering();
    const ULONGLONG now = page_clock.microseconds();
    if (now >= end) return;
    const ULONGLONG left_ms = (end - now + 999) / 1000;
    page_clock.sleep(left_ms < LONGEST_SLEEP_MS ? static_cast<DWORD>(left_ms) : LONGEST_SLEEP_MS);
  }
}

void pace_after(step_pace& pace, ULONGLONG began_us) {
  pace.start_us += page_clock.microseconds() - began_us;
}

void begin_page_tick() { tick_raised = system_time_begin_period(PAGE_TICK_MS) == TIMERR_NOERROR; }

void end_page_tick() {
  if (tick_raised) system_time_end_period(PAGE_TICK_MS);
  tick_raised = false;
}
