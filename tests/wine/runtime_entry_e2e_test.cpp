// The runtime's entry routine seen from outside: whatever win_main
// returns is the process exit code.
#include <gtest/gtest.h>

#include <cstdlib>

#include "harness.h"
#include "wine_trace.h"

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

// Before win_main runs, later library loads are kept to the system folder:
// a DLL beside the program, or in its working folder, is not found by its
// name, as the system's own loads on the program's behalf would ask for it.
TEST(RuntimeEntry, LibrariesBesideTheProgramAreNotFoundByName) {
  const std::string folder = planted_folder({"exit_code_probe.exe"});
  ASSERT_FALSE(folder.empty());
  const std::string beside = folder + "beside.dll";
  ASSERT_TRUE(CopyFileA(program_path("planted.dll").c_str(), beside.c_str(), FALSE));
  launch_options options;
  options.arguments = "beside.dll";
  options.working_dir = folder.c_str();
  launched_program probe = launch_at(folder + "exit_code_probe.exe", options);
  ASSERT_TRUE(probe.started);
  EXPECT_EQ(wait_exit(probe, 20000), 0);
  EXPECT_EQ(GetFileAttributesA((beside + ".loaded").c_str()), INVALID_FILE_ATTRIBUTES);
}
