// Lapwick's entry: the only part that lives in the executable alone, since
// the tests link the rest and bring their own main.
#include "entry.h"
#include "stopwatch_window.h"
#include "window_skeleton.h"

// The command-line tail and the show flag are ignored: the window is
// always shown in its normal state.
int win_main(HINSTANCE instance, HINSTANCE, const char*, int) {
  start_stopwatch(instance);
  return run_message_loop();
}
