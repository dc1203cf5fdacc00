// Compiled into every test program, so the runtime library's own start
// routine is never linked into a test.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
