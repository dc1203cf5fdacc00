#include "page_clock.h"

namespace {

// The performance counter rather than GetTickCount64, which moves only
// with the system's tick (about 15.6 ms) whatever the tick asked for.
ULONGLONG performance_microseconds() {
  static LARGE_INTEGER frequency = {};
  if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER counter = {};
  QueryPerformanceCounter(&counter);
  const ULONGLONG ticks = static_cast<ULONGLONG>(counter.QuadPart);
  const ULONGLONG per_second = static_cast<ULONGLONG>(frequency.QuadPart);
  // Split so that the product cannot overflow however long the system runs.
  return ticks / per_second * 1000000 + ticks % per_second * 1000000 / per_second;
}

}  // namespace

page_clock_table page_clock = {performance_microseconds, Sleep};

void restore_page_clock() { page_clock = {performance_microseconds, Sleep}; }
