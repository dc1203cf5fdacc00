// Commands that arrive while a program is busy with one (a chime or a page
// waits on the sound system, and that wait lets sent messages in): held in
// the order they came and run once the busy step has ended. A short fixed
// list, since only another program flooding the window ever fills it.
#pragma once

constexpr int HELD_COMMAND_LIMIT = 64;

struct held_commands {
  int ids[HELD_COMMAND_LIMIT];
  int first;
  int count;
};

// Adds the command at the end; false, and nothing held, when the list is full.
bool hold_command(held_commands& list, int id);

// Takes the first command held into *id; false when none is.
bool next_held_command(held_commands& list, int* id);
