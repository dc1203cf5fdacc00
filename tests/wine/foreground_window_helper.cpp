// Another program's window for the tests: a plain window at the place the
// command line gives ("left top width height"), activated as soon as it is
// shown, until it is closed.
#include <windows.h>

#include <cstdio>

namespace {

LRESULT CALLBACK helper_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  int left = 0, top = 0, width = 200, height = 100;
  std::sscanf(command_line, "%d %d %d %d", &left, &top, &width, &height);
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = helper_proc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconA(nullptr, IDI_WINLOGO);  // the stock icon, as the desktop shows it
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszClassName = "OmbrelTestForeground";
  RegisterClassA(&window_class);
  HWND window = CreateWindowExA(0, "OmbrelTestForeground", "another program",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, left, top, width, height, nullptr,
                                nullptr, instance, nullptr);
  SetForegroundWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
