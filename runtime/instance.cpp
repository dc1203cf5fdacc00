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
// moment never both find none. The turn is kept until the process ends
// (the handle is left to the system).
HANDLE start_turn = nullptr;

// Takes the turn, waiting up to wait_ms for the start that holds it; true
// when this start holds it now (or when there is no turn to be had).
bool take_turn(DWORD wait_ms) {
  return start_turn == nullptr || acquired(WaitForSingleObject(start_turn, wait_ms));
}

// The window of the class, once any start that is still opening it has.
HWND find_after_turn(const char* class_name) {
  name_with_suffix(turn_name, class_name, INSTANCE_TURN_SUFFIX, sizeof INSTANCE_TURN_SUFFIX);
  start_turn = CreateMutexA(nullptr, FALSE, turn_name);
  HWND found = FindWindowA(class_name, nullptr);
  if (take_turn(0)) return found;
  // Another start holds it: its window is there, or on its way.
  for (unsigned waited = 0; found == nullptr && waited < INSTANCE_TURN_BOUND_MS;
       waited += INSTANCE_TURN_POLL_MS) {
    if (take_turn(INSTANCE_TURN_POLL_MS)) {
      // It ended without a window: this start takes the turn.
      return FindWindowA(class_name, nullptr);
    }
    found = FindWindowA(class_name, nullptr);
  }
  return found;
}

}  // namespace

int activate_previous_instance(const char* class_name) {
  HWND found = find_after_turn(class_name);
  if (found == nullptr) return 0;
  if (!IsIconic(found)) {
    SetForegroundWindow(found);
    return 1;
  }

  // Minimised: this start waits for the user to activate the window. The
  // mutex tells any further start that somebody is waiting already. Its
  // handle is kept open until the process ends, on purpose, unless this
  // start gives up waiting and opens a window of its own.
  name_with_suffix(mutex_name, class_name, INSTANCE_MUTEX_SUFFIX, sizeof INSTANCE_MUTEX_SUFFIX);
  HANDLE waiting = CreateMutexA(nullptr, TRUE, mutex_name);
  if (GetLastError() == ERROR_ALREADY_EXISTS) return 1;

  const int flash_off = flash_off_for_version(GetVersion());
  while (GetForegroundWindow() != found) {
    // The other instance may end while we wait: then there is nothing to
    // bring forward, and this start opens its own window instead.
    // The mutex goes too, or a later start on this program's own window,
    // minimised, would take it for somebody waiting and end at once.
    // It opens that window holding the turn, as a first start does, so a
    // start at the same moment waits for it instead of opening another.
    if (!IsWindow(found)) {
      ReleaseMutex(waiting);
      CloseHandle(waiting);
      take_turn(INSTANCE_TURN_BOUND_MS);
      return 0;
    }
    FlashWindow(found, TRUE);
    Sleep(INSTANCE_FLASH_PAUSE_MS);
    if (flash_off) FlashWindow(found, FALSE);
  }
  SetForegroundWindow(found);
  return 1;
}
