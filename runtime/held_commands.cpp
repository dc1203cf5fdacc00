#include "held_commands.h"

#include <cstdlib>

#include "pool.h"

namespace {

// Twice the room, the commands held moved to its start in their order.
void grow(held_commands& list) {
  const int room = list.room == 0 ? HELD_COMMAND_ROOM : 2 * list.room;
  int* ids = static_cast<int*>(std::malloc(sizeof(int) * static_cast<unsigned>(room)));
  if (ids == nullptr) pool_out_of_memory();
  for (int i = 0; i < list.count; ++i) ids[i] = list.ids[(list.first + i) % list.room];
  std::free(list.ids);
  list.ids = ids;
  list.room = room;
  list.first = 0;
}

}  // namespace

void hold_command(held_commands& list, int id) {
  if (list.count == list.room) grow(list);
  list.ids[(list.first + list.count) % list.room] = id;
  ++list.count;
}

bool next_held_command(held_commands& list, int* id) {
  if (list.count == 0) return false;
  *id = list.ids[list.first];
  list.first = (list.first + 1) % list.room;
  --list.count;
  if (list.count == 0) {
    // Empty again: the memory goes back until the next step holds work.
    std::free(list.ids);
    list = held_commands{};
  }
  return true;
}
