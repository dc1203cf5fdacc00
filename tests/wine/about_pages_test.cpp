// The About window built in this process as the program builds it: the
// page texts, the sounds asked for while typing (through the runtime's
// sound seam; this test carries no sounds, so nothing plays), what the
// window's own drawing context holds, and the window procedure and loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "about_controls.h"
#include "about_pages.h"
#include "about_state.h"
#include "about_test_support.h"
#include "about_window.h"
#include "import_seam.h"
#include "page_clock.h"
#include "sound.h"
#include "waits.h"
#include "window_skeleton.h"

namespace {

const char* const VERSION_TEXTS[] = {ABOUT_PRODUCT_LINE, ABOUT_LABEL_LINE, ABOUT_NUMBER_LINE};

pixel_picture window_picture() {
  RECT client = {};
  GetClientRect(about_window, &client);
  return take_picture(about_dc, 0, 0, client.right, client.bottom);
}

std::vector<RECT> version_cells_and_picture() {
  return {line_cell(3, VERSION_TEXTS[0]), line_cell(5, VERSION_TEXTS[1]),
          line_cell(9, VERSION_TEXTS[2]), picture_rect(about_window)};
}

// Each sound asked for, with the heading line and the picture's visibility
// at that moment.
struct sound_request {
  WORD id;
  std::string heading;
  bool picture_visible;
};
std::vector<sound_request> requests;
std::vector<WORD> request_ids() {
  std::vector<WORD> ids;
  for (const sound_request& r : requests) ids.push_back(r.id);
  return ids;
}
void record_sound(HMODULE module, LPCSTR id) {
  EXPECT_EQ(module, nullptr) << "sounds come from the program's own module";
  requests.push_back({LOWORD(reinterpret_cast<ULONG_PTR>(id)), page_lines[2],
                      IsWindowVisible(picture_control) != FALSE});
}

// Seen by a hook on the messages sent to the window and its picture: the
// white pixels of the version page's last line when the picture is shown,
// and the commands the window receives.
std::vector<int> last_line_white_at_show;
std::vector<WORD> sent_commands;
HHOOK sent_hook = nullptr;
LRESULT CALLBACK watch_sent(int code, WPARAM wparam, LPARAM lparam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (sent->hwnd == picture_control && sent->message == WM_SHOWWINDOW && sent->wParam) {
    const RECT last_line = line_cell(9, VERSION_TEXTS[2]);
    last_line_white_at_show.push_back(count_white(window_picture(), last_line));
  }
  if (sent->hwnd == about_window && sent->message == WM_COMMAND) {
    sent_commands.push_back(LOWORD(sent->wParam));
  }
  return CallNextHookEx(sent_hook, code, wparam, lparam);
}
void watch(bool on) {
  if (on) {
    last_line_white_at_show.clear();
    sent_commands.clear();
    sent_hook = SetWindowsHookExA(WH_CALLWNDPROC, watch_sent, nullptr, GetCurrentThreadId());
  } else {
    UnhookWindowsHookEx(sent_hook);
  }
}

class AboutPages : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    prepare_about_in_process();
    init_common_controls();
    build_about_window();  // opens on the version page
  }
  void SetUp() override {
    requests.clear();
    set_sound_observer(record_sound);
  }
  void TearDown() override { set_sound_observer(nullptr); }
};

}  // namespace

TEST_F(AboutPages, CreditsHeadingIsTypedWithAClickPerLetterThenTheClosingSound) {
  show_credits_page();
  ASSERT_EQ(requests.size(), 10u);
  for (size_t k = 0; k < 9; ++k) {
    EXPECT_EQ(requests[k].id, ABOUT_CLICK_SOUND);
    EXPECT_EQ(requests[k].heading, std::string(ABOUT_CREDITS_HEADING).substr(0, k + 1));
  }
  EXPECT_EQ(requests[9].id, ABOUT_CLOSING_SOUND);
  EXPECT_EQ(requests[9].heading, ABOUT_CREDITS_HEADING);
  EXPECT_FALSE(requests[0].picture_visible) << "picture still shown while typing";

  for (int row = 4; row <= 12; ++row) {
    EXPECT_EQ(std::string(page_lines[row]).find_first_not_of(' '), 2u * (row - 3)) << row;
  }
  EXPECT_EQ(std::string(page_lines[13]).rfind("   and ", 0), 0u);
  const pixel_picture picture = window_picture();
  for (int row = 2; row <= 13; ++row) {
    EXPECT_EQ(count_white(picture, line_band(row)) > 0, row != 3) << "row " << row;
  }
  EXPECT_EQ(count_lit(picture, line_band(0)) + count_lit(picture, line_band(1)), 0);
}

TEST_F(AboutPages, TypeLineClicksOnlyForFlagOneAndAlwaysEndsWithTheClosingSound) {
  show_version_page();
  const struct {
    const char* text;
    int flag;
    std::vector<WORD> sounds;
  } cases[] = {
      {"", 1, {ABOUT_CLOSING_SOUND}},
      {"abc", 1, {ABOUT_CLICK_SOUND, ABOUT_CLICK_SOUND, ABOUT_CLICK_SOUND, ABOUT_CLOSING_SOUND}},
      {"abc", 2, {ABOUT_CLOSING_SOUND}},
      {"abc", 0, {ABOUT_CLOSING_SOUND}}};  // the empty line first: "abc" stays on the screen
  for (const auto& c : cases) {
    copy_text(page_lines[0], c.text);
    requests.clear();
    type_line(0, c.flag);
    EXPECT_EQ(request_ids(), c.sounds) << "'" << c.text << "' flag " << c.flag;
    EXPECT_STREQ(page_lines[0], c.text);
    EXPECT_EQ(count_white(window_picture(), line_cell(0, c.text)) > 0, c.text[0] != 0);
  }
}

TEST_F(AboutPages, VersionAfterCreditsErasesEveryCreditsLineAndShowsThePictureLast) {
  show_credits_page();
  const std::string last_credits_line = page_lines[13];
  watch(true);
  show_version_page();
  watch(false);

  EXPECT_EQ(page_lines[13], last_credits_line) << "line 13 keeps what it held";
  EXPECT_STREQ(page_lines[3], VERSION_TEXTS[0]);
  EXPECT_STREQ(page_lines[5], VERSION_TEXTS[1]);
  EXPECT_STREQ(page_lines[9], VERSION_TEXTS[2]);
  const pixel_picture picture = window_picture();
  EXPECT_EQ(count_lit(picture, whole(picture), version_cells_and_picture()), 0);
  const int last_line_white = count_white(picture, line_cell(9, VERSION_TEXTS[2]));
  EXPECT_GT(last_line_white, 0);
  ASSERT_EQ(last_line_white_at_show.size(), 1u);
  EXPECT_EQ(last_line_white_at_show[0], last_line_white) << "picture shown before the last fade";
  EXPECT_TRUE(IsWindowVisible(picture_control));
}

TEST_F(AboutPages, WholePageFadesInAndOutWhenGivenAPause) {
  show_version_page();
  fade_in_page(0);  // draws the three lines again, at once
  pixel_picture picture = window_picture();
  EXPECT_GT(count_white(picture, line_cell(5, VERSION_TEXTS[1])), 0);
  clear_page(1);
  picture = window_picture();
  EXPECT_EQ(count_lit(picture, whole(picture), {picture_rect(about_window)}), 0);
  fade_in_page(1);
  EXPECT_GT(count_white(window_picture(), line_cell(3, VERSION_TEXTS[0])), 0);
}

namespace {

// A page clock whose tick is tick_us: a sleep ends at the first tick at or
// after the time asked for, as on a system that gives the program no finer
// tick. Its time moves only with the sleeps, so a busy machine changes
// neither the steps that a page draws nor the time it takes on this clock.
// The grey level each line was last drawn in is noted at every sleep.
ULONGLONG tick_us = 1000;
ULONGLONG clock_us = 0;
std::vector<int> levels_seen[PAGE_LINE_COUNT];
void note_levels() {
  for (int line = 0; line < PAGE_LINE_COUNT; ++line) {
    const int level = GetRValue(line_colours[line]);
    std::vector<int>& seen = levels_seen[line];
    if (level != 0 && (seen.empty() || seen.back() != level)) seen.push_back(level);
  }
}
ULONGLONG ticking_clock() { return clock_us; }
VOID WINAPI ticking_sleep(DWORD ms) {
  note_levels();
  clock_us = (clock_us + ms * 1000ULL + tick_us - 1) / tick_us * tick_us;
}

}  // namespace

// Windows gives a program that asks for no finer tick one of 15.625 ms:
// each page then takes as long as with a 1 ms tick, give or take a tenth.
// With a 1 ms tick every fade draws every grey level in order; with the
// coarse one it skips levels but still rises and ends in white.
TEST_F(AboutPages, AtACoarseTickEachPageTakesItsTimeAndEveryFadeEndsInWhite) {
  const ULONGLONG ticks_us[] = {1000, 15625};
  const struct {
    const char* name;
    void (*show)();
    std::vector<int> faded;
  } pages[] = {{"version", show_version_page, {3, 5, 9}},
               {"credits", show_credits_page, {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}}};
  std::vector<int> every_level;
  for (int level = FADE_STEP; level <= FADE_LAST_LEVEL; level += FADE_STEP) {
    every_level.push_back(level);
  }
  ULONGLONG took_ms[2][2] = {};
  for (int t = 0; t < 2; ++t) {
    tick_us = ticks_us[t];
    page_clock = {ticking_clock, ticking_sleep};
    for (int p = 0; p < 2; ++p) {
      for (std::vector<int>& seen : levels_seen) seen.clear();
      const ULONGLONG began = clock_us;
      pages[p].show();
      took_ms[t][p] = (clock_us - began) / 1000;
      note_levels();
      for (int line : pages[p].faded) {
        // Noted once per change, so sorted means rising.
        const std::vector<int>& seen = levels_seen[line];
        EXPECT_TRUE(t == 0 ? seen == every_level : std::is_sorted(seen.begin(), seen.end()))
            << pages[p].name << " line " << line;
        EXPECT_EQ(seen.empty() ? 0 : seen.back(), FADE_LAST_LEVEL) << pages[p].name << " " << line;
      }
    }
  }
  restore_page_clock();
  for (int p = 0; p < 2; ++p) {
    std::printf("%s page: %lu ms at a 1 ms tick, %lu ms at a 15.625 ms tick\n", pages[p].name,
                static_cast<unsigned long>(took_ms[0][p]),
                static_cast<unsigned long>(took_ms[1][p]));
    EXPECT_LE(took_ms[1][p], 1.1 * took_ms[0][p]) << pages[p].name;
  }
}

TEST_F(AboutPages, CloseAndExitPostQuitZeroKeepingTheWindowAndOtherKeysChangeNothing) {
  for (UINT message : {WM_CLOSE, WM_DESTROY}) {
    EXPECT_EQ(SendMessageA(about_window, message, 0, 0), 0);
    MSG quit = {};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << message;
    EXPECT_EQ(quit.wParam, 0u);
  }
  ASSERT_TRUE(IsWindow(about_window)) << "closing must not destroy the window";

  // Enter and Esc in the active window pass through dialog navigation,
  // which turns them into IDOK and IDCANCEL: neither changes anything.
  const std::vector<std::string> lines(page_lines, page_lines + PAGE_LINE_COUNT);
  SetActiveWindow(about_window);
  watch(true);
  PostMessageA(about_window, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageA(about_window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageA(about_window, WM_COMMAND, IDM_EXIT, 0);
  EXPECT_EQ(run_bounded(run_dialog_message_loop, 5000), 0) << "Exit did not end the loop";
  watch(false);
  EXPECT_EQ(sent_commands, (std::vector<WORD>{IDOK, IDCANCEL}));
  EXPECT_TRUE(requests.empty()) << "no page was drawn";
  EXPECT_EQ(std::vector<std::string>(page_lines, page_lines + PAGE_LINE_COUNT), lines);
  EXPECT_TRUE(IsWindow(about_window));
}

// The loop ends on GetMessageA's failure as on the quit message.
TEST_F(AboutPages, LoopEndsWhenGetMessageFails) {
  const failed_loop ended = run_loop_with_failing_get_message(run_dialog_message_loop);
  EXPECT_EQ(ended.get_message_calls, 1) << "the loop went on after GetMessageA failed";
  EXPECT_EQ(ended.result, LOOP_FAILED_EXIT_CODE) << "a failed loop was reported as success";
}

namespace {

// Another program's page command arriving while the first click of a page
// plays (its send reaches the window procedure during the sound), at a
// moment when the queue is full and a post fails.
WORD command_during_page = 0;
void send_command_at_first_sound(HMODULE, LPCSTR) {
  const WORD command = command_during_page;
  command_during_page = 0;
  if (command != 0) SendMessageA(about_window, WM_COMMAND, command, 0);
}

}  // namespace

TEST_F(AboutPages, APageCommandDuringAPageIsHeldNotQueuedAndDrawnRightAfterThePage) {
  set_sound_observer(send_command_at_first_sound);
  command_during_page = IDM_VERSION;
  ASSERT_TRUE(refuse_posts(true)) << "this program does not import PostMessageA";
  SendMessageA(about_window, WM_COMMAND, IDM_CREDITS, 0);
  EXPECT_EQ(refused_posts, 0) << "the command was posted again";
  refuse_posts(false);
  // The credits page, complete, then the version page over it.
  EXPECT_STREQ(page_lines[CREDITS_HEADING_ROW], "") << "the version page was never drawn";
  EXPECT_STREQ(page_lines[VERSION_NUMBER_ROW], VERSION_TEXTS[2]);
  EXPECT_TRUE(IsWindowVisible(picture_control));
  const pixel_picture picture = window_picture();
  EXPECT_EQ(count_lit(picture, whole(picture), version_cells_and_picture()), 0);
  EXPECT_GT(count_white(picture, line_cell(VERSION_NUMBER_ROW, VERSION_TEXTS[2])), 0);
  MSG queued;
  EXPECT_FALSE(PeekMessageA(&queued, about_window, WM_COMMAND, WM_COMMAND, PM_REMOVE))
      << "a page command left for later as well";
}
