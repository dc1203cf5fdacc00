#include "instance.h"

#include <windows.h>

#include <cstring>

#include "placement.h"
#include "text_buffer.h"

namespace {

// How a wait on a minimised window ended.
enum class wait_end {
  ACTIVATED,         // the user activated the window
  SOMEBODY_WAITING,  // another start waits on it already
  WINDOW_GONE,       // the window went away during the wait
};

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
// moment never both find none.
struct start_turn {
  HANDLE mutex;  // null when the mutex could not be had: no turns then
  bool held;
};

// Takes the turn, waiting up to wait_ms for the start that holds it; true
// when this start holds it now (or when there is no turn to be had).
bool take_turn(start_turn& turn, DWORD wait_ms) {
  if (turn.mutex == nullptr || turn.held) return true;
  turn.held = acquired(WaitForSingleObject(turn.mutex, wait_ms));
  return turn.held;
}

void give_back_turn(start_turn& turn) {
  if (turn.held) ReleaseMutex(turn.mutex);
  turn.held = false;
}

// For a start that ends without a window of its own.
void close_turn(start_turn& turn) {
  give_back_turn(turn);
  if (turn.mutex != nullptr) CloseHandle(turn.mutex);
  turn.mutex = nullptr;
}

// A window of the class: there already, or opened meanwhile by the start
// that holds the turn. Null once this start holds the turn and there is
// still none (it opens the window), or when the holder has shown no window
// within the bound. Whatever ends a wait for the turn, the window is looked
// for again, so a window that is up is always found, and found as soon as
// it is up.
HWND find_window_or_take_turn(const char* class_name, start_turn& turn) {
  for (unsigned waited = 0;; waited += INSTANCE_TURN_POLL_MS) {
    HWND found = FindWindowA(class_name, nullptr);
    if (found != nullptr) {
      give_back_turn(turn);
      return found;
    }
    if (waited >= INSTANCE_TURN_BOUND_MS) return nullptr;
    if (take_turn(turn, waited == 0 ? 0 : INSTANCE_TURN_POLL_MS)) {
      found = FindWindowA(class_name, nullptr);
      if (found != nullptr) give_back_turn(turn);
      return found;
    }
  }
}

// Waits on a minimised window, flashing it, until the user activates it,
// unless another start is waiting on it already. Meanwhile this start holds
// the mutex "<class>_RiVA", which tells any further start that somebody is
// waiting; it is given back however the wait ends, so that a later start
// on the next window, minimised, does not take it for somebody waiting.
wait_end wait_on_minimised(HWND found, const char* class_name) {
  char mutex_name[TEXT_BUFFER_SIZE];
  name_with_suffix(mutex_name, class_name, INSTANCE_MUTEX_SUFFIX, sizeof INSTANCE_MUTEX_SUFFIX);
  HANDLE waiting = CreateMutexA(nullptr, TRUE, mutex_name);
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    // A handle to the other start's mutex, not owned by this one.
    CloseHandle(waiting);
    return wait_end::SOMEBODY_WAITING;
  }
  wait_end end = wait_end::ACTIVATED;
  const int flash_off = flash_off_for_version(GetVersion());
  while (GetForegroundWindow() != found) {
    // The other instance may end while we wait.
    if (!IsWindow(found)) {
      end = wait_end::WINDOW_GONE;
      break;
    }
    FlashWindow(found, TRUE);
    Sleep(INSTANCE_FLASH_PAUSE_MS);
    if (flash_off) FlashWindow(found, FALSE);
  }
  if (waiting != nullptr) {
    ReleaseMutex(waiting);
    CloseHandle(waiting);
  }
  return end;
}

}  // namespace

previous_instance activate_previous_instance(const char* class_name) {
  char turn_name[TEXT_BUFFER_SIZE];
  name_with_suffix(turn_name, class_name, INSTANCE_TURN_SUFFIX, sizeof INSTANCE_TURN_SUFFIX);
  start_turn turn = {CreateMutexA(nullptr, FALSE, turn_name), false};
  for (;;) {
    HWND found = find_window_or_take_turn(class_name, turn);
    if (found == nullptr) {
      // This start opens the window. Holding the turn, it keeps it, and
      // the handle, until the process ends and the system closes it.
      if (!turn.held) close_turn(turn);
      return previous_instance::NONE;
    }
    if (!IsIconic(found)) {
      SetForegroundWindow(found);
      close_turn(turn);
      return previous_instance::FOUND;
    }
    const wait_end end = wait_on_minimised(found, class_name);
    if (end != wait_end::WINDOW_GONE) {
      // Somebody else waiting brings it forward in their turn.
      if (end == wait_end::ACTIVATED) SetForegroundWindow(found);
      close_turn(turn);
      return previous_instance::FOUND;
    }
    // The window went away: another start may be opening the next one
    // already, and that one is brought forward in its turn. When nobody
    // is, this start takes the turn and opens its own.
  }
}
