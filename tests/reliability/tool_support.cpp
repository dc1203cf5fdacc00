#include "tool_support.h"
#include "paths.h"
#include "processes.h"
#include "window_search.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int failures = 0;

// Wine keeps each process's GDI objects in a table laid out as Windows
// lays out its shared handle table: 65536 entries of 24 bytes, the
// object's type in byte 14 (0 for a free entry). The PEB points to it.
constexpr int GDI_TABLE_ENTRIES = 0x10000;
constexpr int GDI_ENTRY_SIZE = 24;
constexpr int GDI_ENTRY_TYPE_OFFSET = 14;
constexpr SIZE_T PEB_GDI_TABLE_OFFSET = sizeof(void*) == 8 ? 0xF8 : 0x94;

int gdi_objects(HANDLE process) {
  PROCESS_BASIC_INFORMATION info = {};
  ULONG length = 0;
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &info, sizeof info, &length) !=
      0) {
    return -1;
  }
  ULONG_PTR table = 0;
  SIZE_T read = 0;
  if (!ReadProcessMemory(process,
                         reinterpret_cast<char*>(info.PebBaseAddress) + PEB_GDI_TABLE_OFFSET,
                         &table, sizeof table, &read) ||
      table == 0) {
    return -1;
  }
  static unsigned char chunk[1024 * GDI_ENTRY_SIZE];
  int count = 0;
  for (int first = 0; first < GDI_TABLE_ENTRIES; first += 1024) {
    if (!ReadProcessMemory(process, reinterpret_cast<void*>(table + first * GDI_ENTRY_SIZE), chunk,
                           sizeof chunk, &read)) {
      return -1;
    }
    for (int i = 0; i < 1024; ++i) {
      if (chunk[i * GDI_ENTRY_SIZE + GDI_ENTRY_TYPE_OFFSET] != 0) ++count;
    }
  }
  return count;
}

struct window_count {
  DWORD pid;
  int count;
};

BOOL CALLBACK count_child(HWND, LPARAM data) {
  ++reinterpret_cast<window_count*>(data)->count;
  return TRUE;
}

BOOL CALLBACK count_top(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<window_count*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid) return TRUE;
  ++search->count;
  EnumChildWindows(window, count_child, data);
  return TRUE;
}

std::string with_sign(long long value) {
  char text[64];
  std::snprintf(text, sizeof text, "%+lld", value);
  return text;
}

}  // namespace

figures take_figures(HANDLE process, DWORD pid) {
  figures result;
  result.gdi = gdi_objects(process);
  window_count windows = {pid, 0};
  EnumWindows(count_top, reinterpret_cast<LPARAM>(&windows));
  result.windows = windows.count;
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process, &counters, sizeof counters)) {
    result.private_bytes = static_cast<long long>(counters.PagefileUsage);
  }
  return result;
}

std::string describe(const figures& before, const figures& after) {
  char text[256];
  std::snprintf(text, sizeof text, "GDI %d->%d, windows %d->%d, private KiB %lld->%lld (%s)",
                before.gdi, after.gdi, before.windows, after.windows, before.private_bytes / 1024,
                after.private_bytes / 1024,
                with_sign((after.private_bytes - before.private_bytes) / 1024).c_str());
  return text;
}

bool figures_flat(const figures& before, const figures& after, long long memory_allowance) {
  if (before.gdi < 0 || after.gdi < 0 || before.private_bytes < 0 || after.private_bytes < 0) {
    return false;
  }
  return std::abs(after.gdi - before.gdi) <= GDI_ALLOWANCE &&
         std::abs(after.windows - before.windows) <= WINDOW_ALLOWANCE &&
         after.private_bytes - before.private_bytes <= memory_allowance;
}

void report(const std::string& name, const std::string& tried, const std::string& figure, bool ok) {
  if (!ok) ++failures;
  std::printf("ROW\t%s\t%s\t%s\t%s\n", name.c_str(), tried.c_str(), figure.c_str(),
              ok ? "ok" : "FAIL");
  std::fflush(stdout);
}

int failure_count() { return failures; }

void note(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::printf("\n");
  std::fflush(stdout);
}

bool answers(HWND window, DWORD timeout_ms) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &result) != 0;
}

HWND started_window(launched_program& program, const char* class_name, const char* row,
                    DWORD answer_ms) {
  HWND window = wait_for_window(class_name, program.info.dwProcessId, 20000);
  if (window == nullptr || (answer_ms != 0 && !answers(window, answer_ms))) {
    report(row, "start", "no window", false);
    kill_program(program);
    return nullptr;
  }
  return window;
}

int title_seconds(const std::string& title) {
  if (title.size() != 8 || title[2] != ':' || title[5] != ':') return -1;
  for (int i : {0, 1, 3, 4, 6, 7}) {
    if (title[i] < '0' || title[i] > '9') return -1;
  }
  const int hours = (title[0] - '0') * 10 + (title[1] - '0');
  const int minutes = (title[3] - '0') * 10 + (title[4] - '0');
  const int seconds = (title[6] - '0') * 10 + (title[7] - '0');
  if (minutes > 59 || seconds > 59) return -1;
  return hours * 3600 + minutes * 60 + seconds;
}

launched_program launch_path(const std::string& exe_path, const char* tail, const char* working_dir,
                             const char* extra_env) {
  launch_options options;
  options.arguments = tail;
  options.working_dir = working_dir;
  if (extra_env != nullptr) options.environment.push_back(extra_env);
  return launch_at(exe_path, options);
}

std::string bin_folder() {
  const char* dir = std::getenv("OMBREL_BIN_DIR");
  return wine_path(dir != nullptr ? dir : ".") + "\\";
}
