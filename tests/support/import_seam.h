// A narrow seam for in-process tests: this test program's own calls into a
// system DLL go through its import table, so a test can watch a call on its
// way to the system, or make one fail, without touching the code under test.
#pragma once

#include <windows.h>

#include "waits.h"

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

// From refuse_posts(true) to refuse_posts(false), PostMessageA fails as on
// a full queue (ERROR_NOT_ENOUGH_QUOTA), counting in refused_posts; false
// when this program does not import it.
extern int refused_posts;
bool refuse_posts(bool on);

// How a message loop ended when GetMessageA failed on its first call.
struct failed_loop {
  int get_message_calls;  // 1 when it stopped at the failure
  int result;             // what the loop returned
};

// Runs a message loop with GetMessageA failing on its first call and a quit
// message (exit code 42) already queued, which a loop that went on past the
// failure would take; takes the quit message off the queue afterwards.
template <typename Loop>
failed_loop run_loop_with_failing_get_message(Loop loop) {
  PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 42, 0);
  failed_loop ended = {0, 0};
  {
    failing_get_message failing;
    ended.result = loop();
    ended.get_message_calls = failing.calls();
  }
  drain_queue();
  return ended;
}
