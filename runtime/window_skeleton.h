// The frame every program's window hangs on: one window class registered
// from one record, and a message loop that runs until the quit message.
#pragma once

#include <windows.h>

// The record register_window_class fills and registers. The splash clears
// it at start, before it knows whether it will register at all.
extern WNDCLASSA window_class_record;

void clear_window_class_record();

// Registers a class with the system arrow cursor, no menu and no extra
// class or window bytes; the other fields are as given. The record is
// cleared first, so it holds exactly this class. Returns the atom, which
// the programs ignore.
ATOM register_window_class(const char* name, WNDPROC procedure, HINSTANCE module, HICON icon,
                           HBRUSH background, UINT style);

// The end of a program whose window is destroyed: its class goes away and
// the loop is told to end with exit code 0.
void unregister_class_and_quit(const char* name, HINSTANCE module);

// What a loop returns when GetMessageA fails (-1, a call that cannot go
// on): the program ends then too, and does not claim success.
constexpr int LOOP_FAILED_EXIT_CODE = 1;

// GetMessageA, TranslateMessage, DispatchMessageA until the quit message;
// returns its wParam, or LOOP_FAILED_EXIT_CODE when GetMessageA fails.
int run_message_loop();

// The same loop, but each message is first offered to dialog navigation
// of the thread's active window (Tab, Enter, Esc and the like); a message
// that navigation consumes goes no further.
int run_dialog_message_loop();
