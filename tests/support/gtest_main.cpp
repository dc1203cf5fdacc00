// Compiled into every test program, so the runtime library's own start
// routine is never linked into a test.
#include <gtest/gtest.h>

#ifdef _WIN32
#include "display_dpi.h"
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  if (GetEnvironmentVariableA("OMBREL_DPI_PROBE", nullptr, 0) != 0) return answer_dpi_probe();
#endif
  testing::InitGoogleTest(&argc, argv);
#ifdef _WIN32
  restore_display_dpi();  // left by a test program killed first
#endif
  return RUN_ALL_TESTS();
}
