// A narrow seam for in-process tests: this test program's own calls into a
// system DLL go through its import table, so a test can watch a call on its
// way to the system, or make one fail, without touching the code under test.
#pragma once

#include <windows.h>

// Points this program's import of module!name at replacement and returns
// what it pointed at, or null when there is no such import.
void* replace_import(const char* module, const char* name, void* replacement);

// While it lives, GetMessageA fails (returns -1, as for an invalid call) on
// its first call and behaves as the system's after that.
class failing_get_message {
 public:
  failing_get_message();
  ~failing_get_message();
  failing_get_message(const failing_get_message&) = delete;
  failing_get_message& operator=(const failing_get_message&) = delete;
  // Calls made since the object was made.
  int calls() const;
};

// Runs a message loop with GetMessageA failing on its first call and a quit
// message already queued, which a loop that went on past the failure would
// take; returns how many times the loop called GetMessageA (1 when it
// stopped at the failure) and takes the quit message off the queue.
template <typename Loop>
int get_message_calls_when_it_fails(Loop loop) {
  PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 42, 0);
  int calls = 0;
  {
    failing_get_message failing;
    loop();
    calls = failing.calls();
  }
  MSG quit;
  while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  return calls;
}
