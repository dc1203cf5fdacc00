#include "window_search.h"

#include <cstring>

#include "waits.h"

namespace {

struct window_search {
  const char* class_name;
  DWORD pid;
  bool visible_only;
  window_tally tally;
};

BOOL CALLBACK match_window(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<window_search*>(data);
  char name[256] = {0};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, search->class_name) != 0) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (search->pid != 0 && pid != search->pid) return TRUE;
  if (search->visible_only && !IsWindowVisible(window)) return TRUE;
  if (search->tally.first == nullptr) search->tally.first = window;
  search->tally.last = window;
  ++search->tally.count;
  return TRUE;
}

}  // namespace

window_tally tally_windows(const char* class_name, DWORD pid, bool visible_only) {
  window_search search = {class_name, pid, visible_only, {}};
  EnumWindows(match_window, reinterpret_cast<LPARAM>(&search));
  return search.tally;
}

int count_windows(const char* class_name, DWORD pid) {
  return tally_windows(class_name, pid).count;
}

HWND wait_for_window(const char* class_name, DWORD pid, DWORD timeout_ms) {
  HWND found = nullptr;
  wait_until([&] { return (found = tally_windows(class_name, pid).first) != nullptr; }, timeout_ms);
  return found;
}

window_tally message_boxes(DWORD pid, bool visible_only) {
  return tally_windows("#32770", pid, visible_only);
}

std::string message_box_text(HWND box) { return window_text(GetDlgItem(box, 0xFFFF)); }

std::string window_text(HWND window) {
  char text[4096] = {0};
  // WM_GETTEXT reads another process's title as well as our own.
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, wait_bound(2000), nullptr);
  return text;
}

std::string window_class(HWND window) {
  char name[256] = {0};
  GetClassNameA(window, name, sizeof name);
  return name;
}
