#include "held_commands.h"

bool hold_command(held_commands& list, int id) {
  if (list.count == HELD_COMMAND_LIMIT) return false;
  list.ids[(list.first + list.count) % HELD_COMMAND_LIMIT] = id;
  ++list.count;
  return true;
}

bool next_held_command(held_commands& list, int* id) {
  if (list.count == 0) return false;
  *id = list.ids[list.first];
  list.first = (list.first + 1) % HELD_COMMAND_LIMIT;
  --list.count;
  return true;
}
