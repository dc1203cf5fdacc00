// Temporary string pool: every text result of the runtime is a zero-filled
// heap block owned by a ring of 2048 slots. A block stays valid while the
// next 2047 blocks are handed out; the 2048th further allocation frees it.
#pragma once

#include <cstddef>

constexpr int POOL_SLOTS = 2048;
constexpr int POOL_SPARE_BYTES = 128;

// A new zero-filled block of length + 128 bytes. A negative length counts
// as 0. When memory cannot be had the program ends in an orderly way
// (pool_out_of_memory); it never returns a null pointer.
char* tmp_string(int length);

// Read-only views for tests and diagnostics: the slot of the most recent
// block (0 to 2047) and the block a slot holds (null when empty).
int pool_index();
const char* pool_slot(int slot);

// Ends the program after a failed allocation: names the program in a
// message box on Windows (on stderr elsewhere) and exits with code 1.
[[noreturn]] void pool_out_of_memory();

// Test seam: the zero-filling allocator the pool uses (calloc by default).
using pool_allocator = void* (*)(std::size_t count, std::size_t size);
void pool_set_allocator(pool_allocator allocator);
