#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "library_function.h"

std::string wine_path(const std::string& unix_path) {
  std::string path = "Z:" + unix_path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string program_path(const char* exe_name) {
  const char* dir = std::getenv("OMBREL_BIN_DIR");
  return wine_path(std::string(dir != nullptr ? dir : ".") + "/" + exe_name);
}

std::string source_path(const char* relative) {
  const char* dir = std::getenv("OMBREL_SOURCE_DIR");
  return wine_path(std::string(dir != nullptr ? dir : ".") + "/" + relative);
}

launched_program::launched_program(launched_program&& other) noexcept
    : info(other.info), started(other.started) {
  other.started = false;
}

launched_program& launched_program::operator=(launched_program&& other) noexcept {
  if (this != &other) {
    kill_program(*this);
    info = other.info;
    started = other.started;
    other.started = false;
  }
  return *this;
}

launched_program::~launched_program() { kill_program(*this); }

launched_program launch(const char* exe_name, const launch_options& options) {
  return launch_at(program_path(exe_name), options);
}

launched_program launch_at(const std::string& exe_path, const launch_options& options) {
  launched_program program;
  std::string command = options.quoted_name ? "\"" + exe_path + "\"" : exe_path;
  if (options.arguments != nullptr) command += std::string(" ") + options.arguments;
  std::vector<char> command_buffer(command.begin(), command.end());
  command_buffer.push_back(0);

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  program.started = CreateProcessA(nullptr, command_buffer.data(), nullptr, nullptr, FALSE,
                                   options.suspended ? CREATE_SUSPENDED : 0, nullptr,
                                   options.working_dir, &startup, &program.info) != 0;
  return program;
}

DWORD wait_bound(DWORD timeout_ms) {
  static DWORD scale = 0;
  if (scale == 0) {
    char text[16] = "";
    const DWORD length = GetEnvironmentVariableA("OMBREL_WAIT_SCALE", text, sizeof text);
    const long value = length > 0 && length < sizeof text ? strtol(text, nullptr, 10) : 1;
    scale = value >= 1 && value <= 100 ? static_cast<DWORD>(value) : 1;
  }
  return timeout_ms == INFINITE ? INFINITE : timeout_ms * scale;
}

void CALLBACK quit_at_bound(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(LOOP_BOUND_EXIT_CODE); }

window_tally message_boxes(DWORD pid, bool visible_only) {
  return tally_windows("#32770", pid, visible_only);
}

std::string message_box_text(HWND box) { return window_text(GetDlgItem(box, 0xFFFF)); }

void drain_queue() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

int wait_exit(launched_program& program, DWORD timeout_ms) {
  if (!program.started) return -1;
  if (WaitForSingleObject(program.info.hProcess, wait_bound(timeout_ms)) != WAIT_OBJECT_0) {
    kill_program(program);
    return -1;
  }
  DWORD code = 0;
  GetExitCodeProcess(program.info.hProcess, &code);
  return static_cast<int>(code);
}

bool is_running(const launched_program& program) {
  return program.started && WaitForSingleObject(program.info.hProcess, 0) == WAIT_TIMEOUT;
}

void kill_program(launched_program& program) {
  if (!program.started) return;
  if (is_running(program)) {
    TerminateProcess(program.info.hProcess, 99);
    WaitForSingleObject(program.info.hProcess, 5000);
  }
  if (program.info.hThread != nullptr) CloseHandle(program.info.hThread);
  CloseHandle(program.info.hProcess);
  program.started = false;
}

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

std::string read_text_file(const std::string& windows_path) {
  std::string text;
  FILE* file = std::fopen(windows_path.c_str(), "rb");
  if (file == nullptr) return text;
  char chunk[4096];
  size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
  std::fclose(file);
  return text;
}

namespace {

// The temporary folder, then the stem, this process, a count and the ending.
std::string temp_name(const char* stem, const char* ending) {
  static int counter = 0;
  char dir[MAX_PATH] = {0};
  GetTempPathA(MAX_PATH, dir);
  char name[MAX_PATH + 64] = {0};
  std::snprintf(name, sizeof name, "%s%s-%lu-%d%s", dir, stem, GetCurrentProcessId(), ++counter,
                ending);
  return name;
}

}  // namespace

std::string temp_file(const char* stem) {
  const std::string name = temp_name(stem, ".txt");
  DeleteFileA(name.c_str());
  return name;
}

std::string fresh_folder(const char* stem) {
  const std::string name = temp_name(stem, "\\");
  CreateDirectoryA(name.c_str(), nullptr);
  return name;
}

static const char* const PLANTED_DLLS[] = {"winmm.dll", "comctl32.dll", "winealsa.drv"};

std::string planted_folder(const char* exe_name) {
  SetEnvironmentVariableA("WINEDLLOVERRIDES", "mscoree,mshtml=;winmm,comctl32,winealsa.drv=n,b");
  const std::string folder = fresh_folder("planted");
  CopyFileA(program_path(exe_name).c_str(), (folder + exe_name).c_str(), FALSE);
  for (const char* dll : PLANTED_DLLS) {
    CopyFileA(program_path("planted.dll").c_str(), (folder + dll).c_str(), FALSE);
  }
  return folder;
}

std::vector<std::string> planted_marks(const std::string& folder) {
  std::vector<std::string> marked;
  for (const char* dll : PLANTED_DLLS) {
    const std::string mark = folder + dll + ".loaded";
    if (GetFileAttributesA(mark.c_str()) != INVALID_FILE_ATTRIBUTES) marked.push_back(dll);
  }
  return marked;
}

foreground_decoy::foreground_decoy() {
  WNDCLASSA decoy_class = {};
  decoy_class.lpfnWndProc = DefWindowProcA;
  decoy_class.hInstance = GetModuleHandleA(nullptr);
  decoy_class.lpszClassName = "OmbrelTestDecoy";
  RegisterClassA(&decoy_class);  // fails harmlessly when already there
  // New and shown: the window manager activates it as well.
  window_ = CreateWindowExA(0, "OmbrelTestDecoy", "decoy", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                            200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  take_foreground();
}

foreground_decoy::~foreground_decoy() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool foreground_decoy::take_foreground() const {
  // The window manager's own activation of a new window comes a moment
  // after the system's; let it arrive before the test goes on, and take
  // the foreground again if it went to another window meanwhile.
  for (int attempt = 0; attempt < 3; ++attempt) {
    SetForegroundWindow(window_);
    if (!wait_until([&] { return GetForegroundWindow() == window_; }, 3000)) continue;
    wait_until([] { return false; }, 300);
    if (GetForegroundWindow() == window_) return true;
  }
  return false;
}

handover_round run_handover_round(const char* exe_name, const char* class_name,
                                  const launch_options& options) {
  handover_round round;
  const auto look = [&] {
    round.most_windows = std::max(round.most_windows, count_windows(class_name));
    return false;
  };
  launched_program first = launch(exe_name, options);
  HWND window = wait_for_window(class_name, first.info.dwProcessId, 20000);
  DWORD_PTR answer = 0;
  // Answered once the window's first drawing is complete.
  if (window == nullptr ||
      !SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer)) {
    return round;
  }
  PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  wait_until([&] { return IsIconic(window) != FALSE; }, 5000);
  foreground_decoy decoy;  // a minimised window in front is not waited on
  launched_program second = launch(exe_name, options);
  const std::string waiting = std::string(class_name) + "_RiVA";
  round.set_up = IsIconic(window) && wait_until(
                                         [&] {
                                           HANDLE h =
                                               OpenMutexA(SYNCHRONIZE, FALSE, waiting.c_str());
                                           if (h != nullptr) CloseHandle(h);
                                           return h != nullptr;
                                         },
                                         10000);
  // Made ready beforehand, so that it starts the moment the first ends.
  launch_options held = options;
  held.suspended = true;
  launched_program third = launch(exe_name, held);
  PostMessageA(window, WM_CLOSE, 0, 0);
  wait_until([&] { return look() || !is_running(first); }, 15000);
  ResumeThread(third.info.hThread);
  const DWORD third_started = GetTickCount();
  wait_until([&] { return look() || !is_running(second) || !is_running(third); }, 20000);
  round.ended_after_ms = GetTickCount() - third_started;
  // A moment more, for a window that comes late.
  wait_until(look, 1000);
  int start = 2;
  for (launched_program* late : {&second, &third}) {
    if (!is_running(*late)) {
      DWORD code = 1;
      GetExitCodeProcess(late->info.hProcess, &code);
      if (code == 0) ++round.late_starts_ended;
    } else if (const int windows = count_windows(class_name, late->info.dwProcessId)) {
      round.late_windows += windows;
      round.window_start = start;
    }
    ++start;
  }
  for (HWND w = FindWindowA(class_name, nullptr); w != nullptr;
       w = FindWindowExA(nullptr, w, class_name, nullptr)) {
    PostMessageA(w, WM_CLOSE, 0, 0);
  }
  for (launched_program* program : {&first, &second, &third}) {
    wait_exit(*program, 15000);
    kill_program(*program);
  }
  return round;
}

namespace {

const char DESKTOP_KEY[] = "Control Panel\\Desktop";
// Where a guard keeps the setting it replaced: "none", or the DPI.
const char SAVED_KEY[] = "Software\\Ombrel Tests";
const char SAVED_VALUE[] = "LogPixels before the test";

template <typename Call>
Call user32_call(const char* name) {
  return loaded_library_function<Call>("user32.dll", name);
}

using awareness_call = void*(WINAPI*)(void*);
// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2.
void* const PER_MONITOR_AWARE = reinterpret_cast<void*>(static_cast<INT_PTR>(-4));

// The DPI a program started now gets: this test program's own answer to
// OMBREL_DPI_PROBE (0 when it cannot tell).
int dpi_of_a_new_program() {
  char command[MAX_PATH + 2] = "\"";
  if (GetModuleFileNameA(nullptr, command + 1, MAX_PATH) == 0) return 0;
  std::strcat(command, "\"");
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  SetEnvironmentVariableA("OMBREL_DPI_PROBE", "1");
  const BOOL started = CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr,
                                      nullptr, &startup, &process);
  SetEnvironmentVariableA("OMBREL_DPI_PROBE", nullptr);
  if (!started) return 0;
  DWORD code = 0;
  if (WaitForSingleObject(process.hProcess, wait_bound(20000)) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.hProcess, &code)) {
    TerminateProcess(process.hProcess, 0);
    code = 0;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

}  // namespace

int answer_dpi_probe() {
  auto aware = user32_call<BOOL(WINAPI*)(void*)>("SetProcessDpiAwarenessContext");
  auto dpi_for_window = user32_call<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (aware == nullptr || dpi_for_window == nullptr || !aware(PER_MONITOR_AWARE)) return 0;
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) return 0;
  const UINT dpi = dpi_for_window(window);
  DestroyWindow(window);
  return static_cast<int>(dpi);
}

void restore_display_dpi() {
  char saved[32] = {0};
  DWORD size = sizeof saved;
  if (RegGetValueA(HKEY_CURRENT_USER, SAVED_KEY, SAVED_VALUE, RRF_RT_REG_SZ, nullptr, saved,
                   &size) != ERROR_SUCCESS) {
    return;
  }
  const DWORD dpi = static_cast<DWORD>(std::atoi(saved));
  if (dpi == 0) {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, DESKTOP_KEY, "LogPixels");
  } else {
    RegSetKeyValueA(HKEY_CURRENT_USER, DESKTOP_KEY, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, SAVED_KEY);
}

display_dpi::display_dpi(int dpi) {
  restore_display_dpi();
  DWORD before = 0;
  DWORD size = sizeof before;
  char saved[32] = "none";
  if (RegGetValueA(HKEY_CURRENT_USER, DESKTOP_KEY, "LogPixels", RRF_RT_REG_DWORD, nullptr, &before,
                   &size) == ERROR_SUCCESS) {
    std::snprintf(saved, sizeof saved, "%lu", static_cast<unsigned long>(before));
  }
  RegSetKeyValueA(HKEY_CURRENT_USER, SAVED_KEY, SAVED_VALUE, REG_SZ, saved,
                  static_cast<DWORD>(std::strlen(saved) + 1));
  const DWORD wanted = static_cast<DWORD>(dpi);
  RegSetKeyValueA(HKEY_CURRENT_USER, DESKTOP_KEY, "LogPixels", REG_DWORD, &wanted, sizeof wanted);
  const int got = dpi_of_a_new_program();
  taken_ = got == 0 || got == dpi;
  // Per-monitor aware (v2), where the system has it.
  auto call = user32_call<awareness_call>("SetThreadDpiAwarenessContext");
  if (call != nullptr) awareness_ = call(PER_MONITOR_AWARE);
}

display_dpi::~display_dpi() {
  restore_display_dpi();
  auto call = user32_call<awareness_call>("SetThreadDpiAwarenessContext");
  if (call != nullptr && awareness_ != nullptr) call(awareness_);
}

int metric_for_dpi(int index, int dpi) {
  auto call = user32_call<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
  return call != nullptr ? call(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

int at_dpi(int value, int dpi) { return MulDiv(value, dpi, 96); }
