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

// What the box shows; static, since the heap is what has just failed.
struct fatal_box {
  const char* message;
  char caption[MAX_PATH];
} box;

DWORD WINAPI show_fatal_box(void*) {
  // Above the programs' own topmost windows, where it can be seen.
  MessageBoxA(nullptr, box.message, box.caption,
              MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_TOPMOST | MB_SETFOREGROUND);
  return 0;
}
#endif

}  // namespace

void fatal_exit(const char* message, int exit_code) {
#ifdef _WIN32
  box.message = message;
  program_name(box.caption, MAX_PATH);
  // The box runs on a thread of its own while this one waits and handles
  // nothing. A box on this thread would go on dispatching the program's
  // timer messages, and messages other programs send, into the code that
  // has just failed: each failing again would open one more box.
  HANDLE thread = CreateThread(nullptr, 0, show_fatal_box, nullptr, 0, nullptr);
  if (thread != nullptr) {
    WaitForSingleObject(thread, INFINITE);
  } else {
    show_fatal_box(nullptr);
  }
  ExitProcess(static_cast<UINT>(exit_code));
#else
  std::fprintf(stderr, "%s\n", message);
  std::_Exit(exit_code);
#endif
}
