#include "library_function.h"

FARPROC find_library_function(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return GetProcAddress(module, name);
}
