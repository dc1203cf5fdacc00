// Functions looked up by name at run time, for the ones that a supported
// Windows may lack (an import of a missing function stops the program from
// starting at all) and for the libraries that are loaded rather than
// imported (system_libraries).
#pragma once

#include <windows.h>

// The function of that name in the module, or null (a null module too).
FARPROC find_library_function(HMODULE module, const char* name);

// The same as a pointer of the function's own type. The cast goes through
// the generic function type, which keeps it well defined.
template <typename Function>
Function library_function(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(find_library_function(module, name)));
}

// A function of a module that the program has already loaded (user32,
// kernel32, gdi32), by the module's name.
template <typename Function>
Function loaded_library_function(const char* module_name, const char* name) {
  return library_function<Function>(GetModuleHandleA(module_name), name);
}
