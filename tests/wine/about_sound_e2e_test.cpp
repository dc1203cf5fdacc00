// The credits page's sounds as Wine's sound system saw them (a trace+winmm
// log of the program), with and without the sound resources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about_e2e_support.h"
#include "about_page_pixels.h"

namespace {

struct traced_run {
  std::vector<unsigned long> sounds;
  int exit_code = -1;
};

// Starts the program with a winmm trace, posts the commands and then a
// close, and returns the sounds it played by the time it has ended. The
// queue takes the commands in order, so the close comes after the pages.
traced_run run_traced(const char* exe_name, const std::vector<WORD>& commands,
                      bool check_heading_pixels = false) {
  traced_run run;
  const std::string trace = temp_file("about-winmm");
  // Started in the programs' folder, where it finds its picture.
  launched_program program = launch_with_trace(exe_name, "trace+winmm", trace);
  EXPECT_TRUE(program.started);
  HWND window = wait_about_window(program);
  EXPECT_NE(window, nullptr);
  if (window == nullptr) {
    kill_program(program);
    return run;
  }
  EXPECT_TRUE(wait_page_complete(window));
  if (check_heading_pixels) {
    for (WORD command : commands) EXPECT_TRUE(run_command(window, command));
    const RECT heading = page_line_cell(2, "Thanks to");
    client_capture shot;
    wait_until([&] { return count_white(shot = capture_client(window), heading) >= 20; }, 5000);
    EXPECT_GE(count_white(shot, heading), 20) << "the heading was not typed";
  } else {
    for (WORD command : commands) PostMessageA(window, WM_COMMAND, command, 0);
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
  run.exit_code = wait_exit(program, ABOUT_PAGE_MS);
  kill_program(program);
  run.sounds = played_sound_sizes(read_text_file(trace));
  DeleteFileA(trace.c_str());
  return run;
}

std::vector<unsigned long> credits_sounds(int pages) {
  std::vector<unsigned long> sounds;
  for (int page = 0; page < pages; ++page) {
    sounds.insert(sounds.end(), 9, ABOUT_CLICK_RIFF_SIZE);
    sounds.push_back(ABOUT_CLOSE_RIFF_SIZE);
  }
  return sounds;
}

}  // namespace

TEST(AboutSoundsE2E, VersionPageIsSilent) {
  const traced_run run = run_traced("OmbrelAbout.exe", {ABOUT_VERSION_COMMAND});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_TRUE(run.sounds.empty()) << run.sounds.size() << " sounds";
}

TEST(AboutSoundsE2E, CreditsHeadingGivesNineClicksThenTheClosingSound) {
  const traced_run run = run_traced("OmbrelAbout.exe", {ABOUT_CREDITS_COMMAND});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.sounds, credits_sounds(1));
}

TEST(AboutSoundsE2E, CreditsChosenTwiceInQuickSuccessionIsDrawnTwice) {
  const traced_run run =
      run_traced("OmbrelAbout.exe", {ABOUT_CREDITS_COMMAND, ABOUT_CREDITS_COMMAND});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.sounds, credits_sounds(2));
}

TEST(AboutSoundsE2E, WithoutSoundResourcesTheHeadingStillTypesItselfSilently) {
  const traced_run run = run_traced("OmbrelAboutSilent.exe", {ABOUT_CREDITS_COMMAND}, true);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_TRUE(run.sounds.empty()) << run.sounds.size() << " sounds";
}
