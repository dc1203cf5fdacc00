#include "instance.h"

#include <windows.h>

#include <cstring>

#include "placement.h"
#include "text_buffer.h"

namespace {

char mutex_name[TEXT_BUFFER_SIZE];
char turn_name[TEXT_BUFFER_SIZE];

void name_with_suffix(char* name, const char* class_name, const char* suffix, size_t suffix_size) {
  std::strncpy(name, class_name, TEXT_BUFFER_SIZE - suffix_size);
  name[TEXT_BUFFER_SIZE - suffix_size] = 0;
  std::strcat(name, suffix);
}

bool acquired(DWORD wait_result) {
  // An abandoned turn belonged to a start that ended: it is free.
  return wait_result == WAIT_OBJECT_0 || wait_result == WAIT_ABANDONED;
}

// The mutex "<class>_start". Between its look for a window and its
// window's creation a start holds this turn, so two starts at the same
// moment never both find none. The start that opens the window keeps the
// turn until the process ends (the handle is left to the system); a start
// that finds a window gives it back.
HANDLE start_turn = nullptr;
bool holding_turn = false;

// Takes the turn, waiting up to wait_ms for the start that holds it; true
// when this start holds it now (or when there is no turn to be had).
bool take_turn(DWORD wait_ms) {
  if (start_turn == nullptr || holding_turn) return true;
  holding_turn = acquired(WaitForSingleObject(start_turn, wait_ms));
  return holding_turn;
}

void give_back_turn() {
  if (holding_turn) ReleaseMutex(start_turn);
  holding_turn = false;
}

// A window of the class: there already, or opened meanwhile by the start
// that holds the turn. Null once this start holds the turn and there is
// still none (it opens the window), or when the holder has shown no window
// within the bound. Whatever ends a wait for the turn, the window is looked
// for again, so a window that is up is always found, and found as soon as
// it is up.
HWND find_window_or_take_turn(const char* class_name) {
  for (unsigned waited = 0;; waited += INSTANCE_TURN_POLL_MS) {
    HWND found = FindWindowA(class_name, nullptr);
    if (found != nullptr) {
      give_back_turn();
      return found;
    }
    if (waited >= INSTANCE_TURN_BOUND_MS) return nullptr;
    if (take_turn(waited == 0 ? 0 : INSTANCE_TURN_POLL_MS)) {
      found = FindWindowA(class_name, nullptr);
      if (found != nullptr) give_back_turn();
      return found;
    }
  }
}

// Waits on a minimised window until the user activates it: 1 then, or 0 at
// once when another start is already waiting on it (it holds the mutex) and
// -1 when the window goes away during the wait.
int wait_on_minimised(HWND found, const char* class_name) {
  // The mutex tells any further start that somebody is waiting already.
  // Its handle is kept open until the process ends, on purpose, unless the
  // window goes away during the wait.
  name_with_suffix(mutex_name, class_name, INSTANCE_MUTEX_SUFFIX, sizeof INSTANCE_MUTEX_SUFFIX);
  HANDLE waiting = CreateMutexA(nullptr, TRUE, mutex_name);
  if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;

  const int flash_off = flash_off_for_version(GetVersion());
  while (GetForegroundWindow() != found) {
    // The other instance may end while we wait. The mutex goes then, or a
    // later start on the next window, minimised, would take it for
    // somebody waiting and end at once.
    if (!IsWindow(found)) {
      ReleaseMutex(waiting);
      CloseHandle(waiting);
      return -1;
    }
    FlashWindow(found, TRUE);
    Sleep(INSTANCE_FLASH_PAUSE_MS);
    if (flash_off) FlashWindow(found, FALSE);
  }
  return 1;
}

}  // namespace

int activate_previous_instance(const char* class_name) {
  name_with_suffix(turn_name, class_name, INSTANCE_TURN_SUFFIX, sizeof INSTANCE_TURN_SUFFIX);
  start_turn = CreateMutexA(nullptr, FALSE, turn_name);
  holding_turn = false;
  for (;;) {
    HWND found = find_window_or_take_turn(class_name);
    // None: this start opens the window, holding the turn.
    if (found == nullptr) return 0;
    if (!IsIconic(found)) {
      SetForegroundWindow(found);
      return 1;
    }
    const int waited = wait_on_minimised(found, class_name);
    if (waited == 0) return 1;  // somebody else waits on it
    if (waited == 1) {
      SetForegroundWindow(found);
      return 1;
    }
    // The window went away: another start may be opening the next one
    // already, and that one is brought forward in its turn. When nobody
    // is, this start takes the turn and opens its own.
  }
}
