// Whether the bench's Wine session still shows windows: a new program puts
// a white topmost square on the screen and finds it there, both as the
// window at its centre and as white pixels read back from the screen.
// Exit code 0 when it does within 10 s, 1 when it does not. The bench is
// checked with it after a test fails: a session where new windows no
// longer reach the screen fails every later test, through no fault of
// theirs.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = instance;
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszClassName = "OmbrelSessionProbe";
  RegisterClassA(&window_class);
  const POINT centre = {200, 200};
  HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "OmbrelSessionProbe", "",
                                WS_POPUP | WS_VISIBLE, centre.x - 50, centre.y - 50, 100, 100,
                                nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  UpdateWindow(window);
  const DWORD started = GetTickCount();
  while (GetTickCount() - started < 10000) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    HDC screen = GetDC(nullptr);
    const COLORREF seen = GetPixel(screen, centre.x, centre.y);
    ReleaseDC(nullptr, screen);
    if (WindowFromPoint(centre) == window && seen == RGB(255, 255, 255)) return 0;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  return 1;
}
