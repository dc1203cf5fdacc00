#include "held_steps.h"

#include <cstdlib>

#include "pool.h"

namespace {

// Twice the room, the steps held moved to its start in their order.
void grow(held_list& list) {
  const int room = list.room == 0 ? HELD_STEP_ROOM : 2 * list.room;
  int* ids = static_cast<int*>(std::malloc(sizeof(int) * static_cast<unsigned>(room)));
  if (ids == nullptr) pool_out_of_memory();
  for (int i = 0; i < list.count; ++i) ids[i] = list.ids[(list.first + i) % list.room];
  std::free(list.ids);
  list.ids = ids;
  list.room = room;
  list.first = 0;
}

// Every step starts with none running: at the outermost call, or from the
// drain between two held steps.
void run_one(held_steps& steps, int step) {
  steps.busy = steps.leaves_others_free == nullptr || !steps.leaves_others_free(step);
  steps.run(step);
  steps.busy = false;
}

}  // namespace

void hold_step(held_list& list, int step) {
  if (list.count == list.room) grow(list);
  list.ids[(list.first + list.count) % list.room] = step;
  ++list.count;
}

bool next_held_step(held_list& list, int* step) {
  if (list.count == 0) return false;
  *step = list.ids[list.first];
  list.first = (list.first + 1) % list.room;
  --list.count;
  if (list.count == 0) {
    // Empty again: the memory goes back until the next step holds work.
    std::free(list.ids);
    list = held_list{};
  }
  return true;
}

bool run_step(held_steps& steps, int step) {
  if (steps.busy) {
    if (step == steps.merged_step) {
      steps.merged_wanted = true;
    } else {
      hold_step(steps.list, step);
    }
    return true;
  }
  run_one(steps, step);
  for (;;) {
    int next;
    if (next_held_step(steps.list, &next)) {
      run_one(steps, next);
    } else if (steps.merged_wanted) {
      steps.merged_wanted = false;
      run_one(steps, steps.merged_step);
    } else {
      return false;
    }
  }
}
