// A DLL dropped beside a program under a system DLL's name: when loaded,
// it leaves an empty file "<its own path>.loaded".
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  char mark[MAX_PATH + 8] = {0};
  if (reason == DLL_PROCESS_ATTACH && GetModuleFileNameA(self, mark, MAX_PATH) < MAX_PATH) {
    CloseHandle(CreateFileA(lstrcatA(mark, ".loaded"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                            nullptr));
  }
  return TRUE;
}
