#include "system_libraries.h"

#include <cstring>

#include "library_function.h"

namespace {

using set_default_dll_directories_function = BOOL(WINAPI*)(DWORD flags);
using play_sound_function = BOOL(WINAPI*)(LPCSTR sound, HMODULE module, DWORD flags);
using time_period_function = MMRESULT(WINAPI*)(UINT period_ms);
using init_common_controls_function = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX* controls);
using dwm_window_attribute_function = HRESULT(WINAPI*)(HWND window, DWORD attribute, void* value,
                                                       DWORD size);

HMODULE load_from_system_folder(const char* file_name) {
  HMODULE module = LoadLibraryExA(file_name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module != nullptr) return module;
  // A loader without the search flags refuses them: name the file by its
  // full path in the system folder instead, and let its own dependencies
  // be looked for from there.
  char path[MAX_PATH];
  const UINT folder_length = GetSystemDirectoryA(path, MAX_PATH);
  const size_t name_length = std::strlen(file_name);
  if (folder_length == 0 || folder_length + 1 + name_length >= MAX_PATH) return nullptr;
  path[folder_length] = '\\';
  std::memcpy(path + folder_length + 1, file_name, name_length + 1);
  return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// winmm, loaded once for all its functions.
HMODULE winmm() {
  static HMODULE module = nullptr;
  static bool loaded = false;
  if (!loaded) {
    loaded = true;
    module = load_from_system_folder("winmm.dll");
  }
  return module;
}

// Each function is looked up once; a failed look-up is not tried again.
play_sound_function play_sound = nullptr;
bool play_sound_looked_up = false;
time_period_function time_begin_period = nullptr;
time_period_function time_end_period = nullptr;
bool time_period_looked_up = false;
init_common_controls_function init_common_controls = nullptr;
bool init_common_controls_looked_up = false;
dwm_window_attribute_function dwm_window_attribute = nullptr;
bool dwm_window_attribute_looked_up = false;

}  // namespace

void restrict_library_search() {
  // Looked up at run time: systems before Windows 8 without its update lack it.
  auto set_default_directories = loaded_library_function<set_default_dll_directories_function>(
      "kernel32.dll", "SetDefaultDllDirectories");
  if (set_default_directories != nullptr && set_default_directories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    return;
  }
  SetDllDirectoryA("");
}

BOOL system_play_sound(LPCSTR sound, DWORD flags) {
  if (!play_sound_looked_up) {
    play_sound_looked_up = true;
    play_sound = library_function<play_sound_function>(winmm(), "PlaySoundA");
  }
  if (play_sound == nullptr) return FALSE;
  return play_sound(sound, nullptr, flags);
}

namespace {

void look_up_time_period() {
  if (time_period_looked_up) return;
  time_period_looked_up = true;
  time_begin_period = library_function<time_period_function>(winmm(), "timeBeginPeriod");
  time_end_period = library_function<time_period_function>(winmm(), "timeEndPeriod");
}

}  // namespace

MMRESULT system_time_begin_period(UINT period_ms) {
  look_up_time_period();
  if (time_begin_period == nullptr) return TIMERR_NOCANDO;
  return time_begin_period(period_ms);
}

MMRESULT system_time_end_period(UINT period_ms) {
  look_up_time_period();
  if (time_end_period == nullptr) return TIMERR_NOCANDO;
  return time_end_period(period_ms);
}

BOOL system_init_common_controls(const INITCOMMONCONTROLSEX* controls) {
  if (!init_common_controls_looked_up) {
    init_common_controls_looked_up = true;
    init_common_controls = library_function<init_common_controls_function>(
        load_from_system_folder("comctl32.dll"), "InitCommonControlsEx");
  }
  if (init_common_controls == nullptr) return FALSE;
  return init_common_controls(controls);
}

HRESULT system_dwm_window_attribute(HWND window, DWORD attribute, void* value, DWORD size) {
  if (!dwm_window_attribute_looked_up) {
    dwm_window_attribute_looked_up = true;
    dwm_window_attribute = library_function<dwm_window_attribute_function>(
        load_from_system_folder("dwmapi.dll"), "DwmGetWindowAttribute");
  }
  if (dwm_window_attribute == nullptr) return E_NOTIMPL;
  return dwm_window_attribute(window, attribute, value, size);
}
