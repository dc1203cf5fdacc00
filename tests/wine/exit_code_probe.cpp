// A program on the runtime's own entry whose win_main returns the number
// its command-line tail names: the exit code must be that number.
#include <cstdlib>

#include "entry.h"

int win_main(HINSTANCE, HINSTANCE, const char* command_tail, int) {
  return std::atoi(command_tail);
}
