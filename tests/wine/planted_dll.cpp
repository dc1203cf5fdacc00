// A DLL that someone dropped beside a program under a system DLL's name
// (winmm.dll, comctl32.dll): it exports nothing and, once loaded, leaves a
// mark, an empty file beside itself named after its own file with
// ".loaded" added (see planted_folder in wine_trace.h).
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char mark[MAX_PATH + 16] = {0};
  const DWORD length = GetModuleFileNameA(self, mark, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return TRUE;
  lstrcatA(mark, ".loaded");
  HANDLE file =
      CreateFileA(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return TRUE;
}
