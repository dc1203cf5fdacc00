#include "instance.h"

#include <windows.h>

#include <cstring>

#include "placement.h"
#include "text_buffer.h"

namespace {

char mutex_name[TEXT_BUFFER_SIZE];

}  // namespace

int activate_previous_instance(const char* class_name) {
  HWND found = FindWindowA(class_name, nullptr);
  if (found == nullptr) return 0;
  if (!IsIconic(found)) {
    SetForegroundWindow(found);
    return 1;
  }

  // Minimised: this start waits for the user to activate the window. The
  // mutex tells any further start that somebody is waiting already. Its
  // handle is kept open until the process ends, on purpose, unless this
  // start gives up waiting and opens a window of its own.
  std::strncpy(mutex_name, class_name, TEXT_BUFFER_SIZE - sizeof INSTANCE_MUTEX_SUFFIX);
  mutex_name[TEXT_BUFFER_SIZE - sizeof INSTANCE_MUTEX_SUFFIX] = 0;
  std::strcat(mutex_name, INSTANCE_MUTEX_SUFFIX);
  HANDLE waiting = CreateMutexA(nullptr, TRUE, mutex_name);
  if (GetLastError() == ERROR_ALREADY_EXISTS) return 1;

  const int flash_off = flash_off_for_version(GetVersion());
  while (GetForegroundWindow() != found) {
    // The other instance may end while we wait: then there is nothing to
    // bring forward, and this start opens its own window instead.
    // The mutex goes too, or a later start on this program's own window,
    // minimised, would take it for somebody waiting and end at once.
    if (!IsWindow(found)) {
      ReleaseMutex(waiting);
      CloseHandle(waiting);
      return 0;
    }
    FlashWindow(found, TRUE);
    Sleep(INSTANCE_FLASH_PAUSE_MS);
    if (flash_off) FlashWindow(found, FALSE);
  }
  SetForegroundWindow(found);
  return 1;
}
