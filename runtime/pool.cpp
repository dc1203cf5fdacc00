#include "pool.h"

#include <cstdlib>

#include "fatal.h"

namespace {

char* slots[POOL_SLOTS];
int current_index = 0;
pool_allocator allocate = std::calloc;

}  // namespace

char* tmp_string(int length) {
  if (length < 0) length = 0;
  // The index moves before the slot is used, so the first block of a run
  // lands in slot 1 and slot 0 is first used by the 2048th allocation.
  current_index = (current_index + 1) % POOL_SLOTS;
  std::free(slots[current_index]);
  slots[current_index] = nullptr;
  const std::size_t size = static_cast<std::size_t>(length) + POOL_SPARE_BYTES;
  char* block = static_cast<char*>(allocate(size, 1));
  if (block == nullptr) pool_out_of_memory();
  slots[current_index] = block;
  return block;
}

int pool_index() { return current_index; }

const char* pool_slot(int slot) {
  if (slot < 0 || slot >= POOL_SLOTS) return nullptr;
  return slots[slot];
}

void pool_out_of_memory() { fatal_exit("Out of memory: the program has to close.", 1); }

void pool_set_allocator(pool_allocator allocator) {
  allocate = allocator != nullptr ? allocator : std::calloc;
}
