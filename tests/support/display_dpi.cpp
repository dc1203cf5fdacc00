#include "display_dpi.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "library_function.h"
#include "processes.h"

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
  char self[MAX_PATH] = {0};
  if (GetModuleFileNameA(nullptr, self, MAX_PATH) == 0) return 0;
  launch_options options;
  options.environment = {"OMBREL_DPI_PROBE=1"};
  launched_program probe = launch_at(self, options);
  const int code = wait_exit(probe, 20000);
  return code > 0 ? code : 0;
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
