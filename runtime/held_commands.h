// Work that arrives while a program is in the middle of a step (a chime or
// a page waits on the sound system, and that wait lets messages sent by
// other programs in). Every program holds it the same way: in the order it
// came, run once the step has ended, never run inside the step, never
// posted to the queue again (a full queue would refuse it), never lost.
// The list grows as it needs to and gives its memory back once empty; a
// program that cannot have the memory ends as after any failed allocation.
#pragma once

// Room for this many before the list first grows.
constexpr int HELD_COMMAND_ROOM = 64;

// All zero is an empty list.
struct held_commands {
  int* ids;
  int room;
  int first;
  int count;
};

// Adds the command at the end.
void hold_command(held_commands& list, int id);

// Takes the first command held into *id; false when none is.
bool next_held_command(held_commands& list, int* id);
