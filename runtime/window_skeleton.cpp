#include "window_skeleton.h"

#include <cstring>

WNDCLASSA window_class_record;

namespace {

MSG message_record;

// Dialog navigation of the thread's active window, if it takes the message.
bool taken_by_dialog_navigation() {
  HWND active = GetActiveWindow();
  return IsWindow(active) && IsDialogMessageA(active, &message_record);
}

int message_loop(bool dialog_keys) {
  // GetMessageA gives -1 for a call that cannot go on: ending then beats
  // spinning on the same error.
  BOOL got = FALSE;
  while ((got = GetMessageA(&message_record, nullptr, 0, 0)) > 0) {
    if (dialog_keys && taken_by_dialog_navigation()) continue;
    TranslateMessage(&message_record);
    DispatchMessageA(&message_record);
  }
  if (got < 0) return LOOP_FAILED_EXIT_CODE;
  return static_cast<int>(message_record.wParam);
}

}  // namespace

void clear_window_class_record() {
  std::memset(&window_class_record, 0, sizeof window_class_record);
}

ATOM register_window_class(const char* name, WNDPROC procedure, HINSTANCE module, HICON icon,
                           HBRUSH background, UINT style) {
  clear_window_class_record();
  window_class_record.style = style;
  window_class_record.lpfnWndProc = procedure;
  window_class_record.cbClsExtra = 0;
  window_class_record.cbWndExtra = 0;
  window_class_record.hInstance = module;
  window_class_record.hIcon = icon;
  window_class_record.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class_record.hbrBackground = background;
  window_class_record.lpszMenuName = nullptr;
  window_class_record.lpszClassName = name;
  return RegisterClassA(&window_class_record);
}

void unregister_class_and_quit(const char* name, HINSTANCE module) {
  UnregisterClassA(name, module);
  PostQuitMessage(0);
}

int run_message_loop() { return message_loop(false); }

int run_dialog_message_loop() { return message_loop(true); }
