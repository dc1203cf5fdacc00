#include "foreground_decoy.h"

#include "waits.h"

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
