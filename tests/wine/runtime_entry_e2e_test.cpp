// The runtime's entry routine seen from outside: whatever win_main
// returns is the process exit code.
#include <gtest/gtest.h>

#include <cstdlib>

#include "processes.h"

TEST(RuntimeEntry, ExitCodeIsWhatWinMainReturns) {
  // The probe's win_main returns the number its command-line tail names.
  for (const char* code : {"7", "300", "0"}) {
    launch_options options;
    options.arguments = code;
    launched_program probe = launch("exit_code_probe.exe", options);
    ASSERT_TRUE(probe.started);
    EXPECT_EQ(wait_exit(probe, 20000), std::atoi(code));
  }
}
