// The positive control of the planted-DLL checks: a program that does not
// restrict its library search, loading two DLLs by name as most programs
// do. Beside planted copies, under the bench's load order, it loads those.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return LoadLibraryA("winmm.dll") != nullptr && LoadLibraryA("comctl32.dll") != nullptr ? 0 : 1;
}
