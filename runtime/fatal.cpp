#include "fatal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

#ifdef _WIN32
// The caption names the program: its file name without folder or extension.
// Built in a fixed buffer, since the heap is what has just failed.
void program_name(char* name, int size) {
  char path[MAX_PATH] = {0};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const char* base = path;
  for (const char* p = path; *p != 0; ++p) {
    if (*p == '\\' || *p == '/') base = p + 1;
  }
  std::size_t length = std::strlen(base);
  if (length > static_cast<std::size_t>(size - 1)) length = static_cast<std::size_t>(size - 1);
  std::memcpy(name, base, length);
  name[length] = 0;
  char* dot = std::strrchr(name, '.');
  if (dot != nullptr) *dot = 0;
}
#endif

}  // namespace

void fatal_exit(const char* message, int exit_code) {
#ifdef _WIN32
  char name[MAX_PATH] = {0};
  program_name(name, MAX_PATH);
  MessageBoxA(nullptr, message, name, MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ExitProcess(static_cast<UINT>(exit_code));
#else
  std::fprintf(stderr, "%s\n", message);
  std::_Exit(exit_code);
#endif
}
