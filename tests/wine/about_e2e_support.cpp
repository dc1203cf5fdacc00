#include "about_e2e_support.h"

#include <cstdlib>
#include <cstring>

std::string programs_folder() {
  const char* dir = std::getenv("OMBREL_BIN_DIR");
  return wine_path(dir != nullptr ? dir : ".");
}

launched_program start_about(const char* exe_name) {
  static std::string folder;
  folder = programs_folder();
  launch_options options;
  options.working_dir = folder.c_str();
  return launch(exe_name, options);
}

HWND wait_about_window(const launched_program& program) {
  return wait_for_window(ABOUT_CLASS, program.info.dwProcessId, ABOUT_START_MS);
}

bool wait_page_complete(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, ABOUT_PAGE_MS, &result) != 0;
}

bool run_command(HWND window, WORD command) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_COMMAND, command, 0, SMTO_NORMAL, ABOUT_PAGE_MS,
                             &result) != 0;
}

HWND picture_of(HWND window) { return FindWindowExA(window, nullptr, "Static", nullptr); }

RECT picture_rect(HWND window) {
  RECT r = {};
  GetWindowRect(picture_of(window), &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

namespace {

struct window_count {
  DWORD pid;
  int count;
};

BOOL CALLBACK count_about_window(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<window_count*>(data);
  char name[64] = {0};
  GetClassNameA(window, name, sizeof name);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (std::strcmp(name, ABOUT_CLASS) == 0 && pid == search->pid) ++search->count;
  return TRUE;
}

}  // namespace

int about_windows_of(DWORD pid) {
  window_count search = {pid, 0};
  EnumWindows(count_about_window, reinterpret_cast<LPARAM>(&search));
  return search.count;
}
