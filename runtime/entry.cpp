#include "entry.h"

#include <cstdlib>

#include "command_line.h"
#include "fpu.h"
#include "system_libraries.h"

// The C runtime's start-up code calls main; this is the one start routine
// of every program, whatever the subsystem.
int main() {
  // Before anything can load a library on the program's behalf.
  restrict_library_search();
  fpu_set_extended_precision();
  const char* tail = command_line_tail(GetCommandLineA());
  std::exit(win_main(GetModuleHandleA(nullptr), nullptr, tail, SW_SHOWNORMAL));
}
