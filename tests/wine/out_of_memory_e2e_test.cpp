// The programs out of memory: the test-only builds in bin/oom have a
// temporary pool whose allocator fails from a chosen request on. The program
// must show one message box naming it and end with code 1 once the box is
// dismissed, whatever its timers and other programs send meanwhile.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "paths.h"
#include "processes.h"
#include "waits.h"
#include "window_search.h"

namespace {

constexpr char OUT_OF_MEMORY_TEXT[] = "Out of memory: the program has to close.";

launched_program launch_failing(const char* exe_name, const char* fail_from) {
  launch_options options;
  const std::string folder = wine_path(std::getenv("OMBREL_BIN_DIR"));
  options.working_dir = folder.c_str();
  options.environment = {std::string("OMBREL_TEST_ALLOC_FAIL_FROM=") + fail_from};
  return launch(exe_name, options);
}

// Waits for the box, lets the program run behind it for two seconds, checks
// it is still the only box, dismisses it and returns the exit code.
int one_box_then_exit(launched_program& program, const char* caption) {
  const DWORD pid = program.info.dwProcessId;
  EXPECT_TRUE(wait_until([&] { return message_boxes(pid).count > 0; }, 30000)) << "no box";
  HWND box = message_boxes(pid).last;
  EXPECT_EQ(window_text(box), caption);
  EXPECT_EQ(message_box_text(box), OUT_OF_MEMORY_TEXT);
  wait_until([] { return false; }, 2000);
  EXPECT_EQ(message_boxes(pid).count, 1) << "boxes piled up behind the first";
  PostMessageA(message_boxes(pid).last, WM_COMMAND, IDOK, 0);
  return wait_exit(program, 10000);
}

TEST(OutOfMemoryE2E, TheStopwatchTickingBehindTheBoxOpensNoFurtherBox) {
  // The first tick asks the pool for the title's text; the timer goes on
  // firing while the box is up.
  launched_program program = launch_failing("oom/Lapwick.exe", "1");
  HWND window = wait_for_window("Lapwick", program.info.dwProcessId, 20000);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_COMMAND, 1, 0);
  EXPECT_EQ(one_box_then_exit(program, "Lapwick"), 1);
  kill_program(program);
}

TEST(OutOfMemoryE2E, PageCommandsSentBehindTheBoxOpenNoFurtherBox) {
  // Fails at the start of the window, before its message loop runs.
  launched_program program = launch_failing("oom/OmbrelAbout.exe", "1");
  HWND window = wait_for_window("OmbrelAbout", program.info.dwProcessId, 20000);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(wait_until([&] { return message_boxes(program.info.dwProcessId).count > 0; }, 20000));
  // Another program asks for a page while the box is up.
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, WM_COMMAND, 1008, 0, SMTO_NORMAL, wait_bound(1000), &result);
  EXPECT_EQ(one_box_then_exit(program, "OmbrelAbout"), 1);
  kill_program(program);
}

}  // namespace
