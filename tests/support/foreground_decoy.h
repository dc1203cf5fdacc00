// The user has turned to another program: a window of the test's own in
// the foreground, for what a program may and may not do then.
#pragma once

#include <windows.h>

// A fresh top-level window of this process, made the foreground window.
// Destroyed with the object.
class foreground_decoy {
 public:
  foreground_decoy();
  ~foreground_decoy();
  foreground_decoy(const foreground_decoy&) = delete;
  foreground_decoy& operator=(const foreground_decoy&) = delete;
  HWND window() const { return window_; }
  // Takes the foreground back; true once it has it.
  bool take_foreground() const;

 private:
  HWND window_ = nullptr;
};
