// A program on the runtime's own entry whose win_main returns the number
// its command-line tail names: the exit code must be that number. A tail
// that names a DLL is loaded by that name alone instead: the exit code
// says whether it loaded (1) or not (0).
#include <cstdlib>
#include <cstring>

#include "entry.h"

int win_main(HINSTANCE, HINSTANCE, const char* command_tail, int) {
  const size_t length = std::strlen(command_tail);
  if (length > 4 && _stricmp(command_tail + length - 4, ".dll") == 0) {
    return LoadLibraryA(command_tail) != nullptr ? 1 : 0;
  }
  return std::atoi(command_tail);
}
