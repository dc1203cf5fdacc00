#include "waits.h"

#include <cstdlib>

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

void drain_queue() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}
