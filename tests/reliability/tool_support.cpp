#include "tool_support.h"

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

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

struct class_search {
  const char* class_name;
  DWORD pid;
  int count;
  HWND last;
};

BOOL CALLBACK match_class(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<class_search*>(data);
  char name[256] = {0};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, search->class_name) != 0) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (search->pid != 0 && pid != search->pid) return TRUE;
  ++search->count;
  search->last = window;
  return TRUE;
}

std::string with_sign(long long value) {
  char text[64];
  std::snprintf(text, sizeof text, "%+lld", value);
  return text;
}

template <typename Function>
Function wine_export(const char* module, const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA(module), name)));
}

std::vector<DWORD> processes_named(const char* exe_name) {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (_stricmp(entry.szExeFile, exe_name) == 0) ids.push_back(entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return ids;
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

int count_boxes(DWORD pid) { return count_windows("#32770", pid); }

HWND find_box(DWORD pid) {
  class_search search = {"#32770", pid, 0, nullptr};
  EnumWindows(match_class, reinterpret_cast<LPARAM>(&search));
  return search.last;
}

int count_windows(const char* class_name, DWORD pid) {
  class_search search = {class_name, pid, 0, nullptr};
  EnumWindows(match_class, reinterpret_cast<LPARAM>(&search));
  return search.count;
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
  launched_program program;
  std::string command = "\"" + exe_path + "\"";
  if (tail != nullptr) command += std::string(" ") + tail;
  std::vector<char> buffer(command.begin(), command.end());
  buffer.push_back(0);
  std::string name;
  if (extra_env != nullptr) {
    const char* equals = std::strchr(extra_env, '=');
    name.assign(extra_env, equals - extra_env);
    SetEnvironmentVariableA(name.c_str(), equals + 1);
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  program.started = CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   working_dir, &startup, &program.info) != 0;
  if (!name.empty()) SetEnvironmentVariableA(name.c_str(), nullptr);
  return program;
}

std::string unix_path(const std::string& windows_path) {
  using unix_name_function = char*(CDECL*)(const WCHAR*);
  auto to_unix = wine_export<unix_name_function>("kernel32.dll", "wine_get_unix_file_name");
  if (to_unix == nullptr) return "";
  WCHAR wide[MAX_PATH] = {0};
  MultiByteToWideChar(CP_ACP, 0, windows_path.c_str(), -1, wide, MAX_PATH);
  char* name = to_unix(wide);
  if (name == nullptr) return "";
  std::string result = name;
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

launched_program launch_with_home(const char* exe_name, const std::string& unix_home) {
  using unix_spawn_function = LONG(CDECL*)(char* const argv[], int wait);
  launched_program program;
  auto spawn = wine_export<unix_spawn_function>("ntdll.dll", "__wine_unix_spawnvp");
  const char* bin_dir = std::getenv("OMBREL_BIN_DIR");
  if (spawn == nullptr || bin_dir == nullptr) return program;
  const std::vector<DWORD> before = processes_named(exe_name);
  std::string script = "cd \"$1\" && HOME=\"$2\" exec \"$WINELOADER\" \"$3\"";
  std::string args[] = {"/bin/sh", "-c", script, "sh", bin_dir, unix_home, exe_name};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  if (spawn(argv.data(), 0) != 0) return program;
  DWORD pid = 0;
  wait_until(
      [&] {
        for (DWORD id : processes_named(exe_name)) {
          if (std::find(before.begin(), before.end(), id) == before.end()) pid = id;
        }
        return pid != 0;
      },
      15000);
  if (pid == 0) return program;
  program.info.dwProcessId = pid;
  program.info.hProcess = OpenProcess(
      PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
  program.started = program.info.hProcess != nullptr;
  return program;
}

std::string fresh_folder(const char* stem) {
  static int counter = 0;
  char dir[MAX_PATH] = {0};
  GetTempPathA(MAX_PATH, dir);
  char name[MAX_PATH + 64] = {0};
  std::snprintf(name, sizeof name, "%s%s-%lu-%d\\", dir, stem, GetCurrentProcessId(), ++counter);
  CreateDirectoryA(name, nullptr);
  return name;
}

std::string bin_folder() {
  const char* dir = std::getenv("OMBREL_BIN_DIR");
  return wine_path(dir != nullptr ? dir : ".") + "\\";
}
