// Test-only builds: the temporary pool's allocator fails from the request
// named in OMBREL_TEST_ALLOC_FAIL_FROM on (1 is the first), as an exhausted
// heap would. Installed before win_main by a static initialiser.
#include <cstdlib>

#include "pool.h"

namespace {

long fail_from = 0;
long requests = 0;

void* failing_calloc(std::size_t count, std::size_t size) {
  if (++requests >= fail_from) return nullptr;
  return std::calloc(count, size);
}

struct allocator_installer {
  allocator_installer() {
    const char* value = std::getenv("OMBREL_TEST_ALLOC_FAIL_FROM");
    if (value == nullptr || std::atol(value) <= 0) return;
    fail_from = std::atol(value);
    pool_set_allocator(failing_calloc);
  }
} installer;

}  // namespace
