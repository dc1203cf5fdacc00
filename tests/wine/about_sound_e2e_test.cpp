// The credits page's sounds as Wine's sound system saw them (the program's
// trace+winmm log), with and without the sound resources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about_test_support.h"
#include "paths.h"
#include "planted_dlls.h"
#include "processes.h"
#include "program_facts.h"
#include "waits.h"
#include "window_search.h"
#include "wine_trace.h"

namespace {

// Starts the program with a winmm trace, posts the commands and a close
// behind them, and returns the sounds played by the time it has ended.
std::vector<unsigned long> sounds_of(const char* exe_name, const std::vector<WORD>& commands,
                                     bool check_heading) {
  const std::string trace = temp_file("about-winmm");
  // Started beside its picture and DLLs planted there, which never load.
  const std::string folder = planted_folder(exe_name);
  CopyFileA(program_path("ombrel.ani").c_str(), (folder + "ombrel.ani").c_str(), FALSE);
  launched_program program =
      launch_with_trace(exe_name, "trace+winmm", trace, folder, {PLANTED_LOAD_ORDER});
  HWND window = wait_for_window(ABOUT_CLASS, program.info.dwProcessId, 20000);
  EXPECT_NE(window, nullptr);
  EXPECT_TRUE(wait_page_complete(window));
  for (WORD command : commands) PostMessageA(window, WM_COMMAND, command, 0);
  if (check_heading) {
    const RECT heading = line_cell(CREDITS_HEADING_ROW, ABOUT_CREDITS_HEADING);
    EXPECT_TRUE(
        wait_until([&] { return count_white(screen_picture(window), heading) > 0; }, PAGE_BOUND_MS))
        << "the heading was not typed";
  }
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(wait_exit(program, PAGE_BOUND_MS), 0);
  kill_program(program);
  EXPECT_EQ(planted_marks(folder), std::vector<std::string>());
  EXPECT_TRUE(planted_dlls_load_unrestricted(folder)) << "this bench never loads a planted DLL";
  const std::vector<unsigned long> sounds = played_sound_sizes(read_text_file(trace));
  DeleteFileA(trace.c_str());
  return sounds;
}

}  // namespace

TEST(AboutSoundsE2E, CreditsTwiceInQuickSuccessionGiveNineClicksAndAClosingSoundEach) {
  std::vector<unsigned long> expected;
  for (int page = 0; page < 2; ++page) {
    expected.insert(expected.end(), 9, ABOUT_CLICK_RIFF_SIZE);
    expected.push_back(ABOUT_CLOSE_RIFF_SIZE);
  }
  EXPECT_EQ(sounds_of("OmbrelAbout.exe", {IDM_CREDITS, IDM_CREDITS}, false), expected);
}

TEST(AboutSoundsE2E, WithoutSoundResourcesTheHeadingStillTypesItselfSilently) {
  EXPECT_TRUE(sounds_of("OmbrelAboutSilent.exe", {IDM_CREDITS}, true).empty());
}
