// The About pages drawn in this process on the real window: page buffers,
// the sounds asked for while typing, and the pixels in the window's own
// drawing context.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "about_in_process.h"
#include "about_page_pixels.h"
#include "about_page_texts.h"
#include "about_pages.h"
#include "about_state.h"
#include "sound.h"

namespace {

const char* const VERSION_TEXTS[3] = {"        Ombrel Rezizazuriro", "                  Version",
                                      "                     3.1"};
const int VERSION_ROWS[3] = {3, 5, 9};

struct sound_request {
  WORD id;
  HMODULE module;
  std::string heading;   // line 2 as it stood when the sound was asked for
  bool picture_visible;
};
std::vector<sound_request> requests;

void record_sound(HMODULE module, LPCSTR id) {
  requests.push_back({LOWORD(reinterpret_cast<ULONG_PTR>(id)), module, page_lines[2],
                      IsWindowVisible(picture_control) != FALSE});
}

struct recording {
  recording() {
    requests.clear();
    set_sound_observer(record_sound);
  }
  ~recording() { set_sound_observer(nullptr); }
};

std::vector<WORD> requested_ids() {
  std::vector<WORD> ids;
  for (const sound_request& r : requests) ids.push_back(r.id);
  return ids;
}

RECT client_area() {
  RECT r = {};
  GetClientRect(about_window, &r);
  return r;
}

RECT picture_area() {
  RECT r = {};
  GetWindowRect(picture_control, &r);
  MapWindowPoints(nullptr, about_window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int white_in(const RECT& area) {
  int white = 0;
  for (COLORREF c : read_about_pixels(area)) white += c == RGB(255, 255, 255) ? 1 : 0;
  return white;
}

// The band a row occupies from the text's left edge to the client's right.
RECT row_band(int row) {
  RECT band = page_line_cell(row, "X");
  band.right = client_area().right;
  return band;
}

std::vector<RECT> version_cells() {
  std::vector<RECT> cells;
  for (int i = 0; i < 3; ++i) cells.push_back(page_line_cell(VERSION_ROWS[i], VERSION_TEXTS[i]));
  return cells;
}

// Picture show and hide as the window procedure of the picture sees them,
// with the state of the page at that moment.
struct picture_event {
  bool shown;
  int last_version_line_white;
  int heading_white;
};
std::vector<picture_event> picture_events;
HHOOK picture_hook = nullptr;

LRESULT CALLBACK watch_picture(int code, WPARAM wparam, LPARAM lparam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && message->hwnd == picture_control &&
      message->message == WM_SHOWWINDOW) {
    picture_events.push_back({message->wParam != 0, white_in(page_line_cell(9, VERSION_TEXTS[2])),
                              white_in(page_line_cell(2, "Thanks to"))});
  }
  return CallNextHookEx(picture_hook, code, wparam, lparam);
}

struct watching_picture {
  watching_picture() {
    picture_events.clear();
    picture_hook = SetWindowsHookExA(WH_CALLWNDPROC, watch_picture, nullptr, GetCurrentThreadId());
  }
  ~watching_picture() { UnhookWindowsHookEx(picture_hook); }
};

class AboutPages : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(about_window_in_process(), nullptr); }
};

}  // namespace

TEST_F(AboutPages, WindowOpensOnTheVersionPageWithItsThreeLinesAndThePicture) {
  show_version_page();
  for (int row = 0; row <= 12; ++row) {
    if (row == 3 || row == 5 || row == 9) continue;
    EXPECT_STREQ(page_lines[row], "") << "row " << row;
  }
  for (int i = 0; i < 3; ++i) {
    EXPECT_STREQ(page_lines[VERSION_ROWS[i]], VERSION_TEXTS[i]);
    EXPECT_GT(white_in(page_line_cell(VERSION_ROWS[i], VERSION_TEXTS[i])), 10) << "row "
                                                                              << VERSION_ROWS[i];
  }
  EXPECT_TRUE(IsWindowVisible(picture_control));
  std::vector<RECT> allowed = version_cells();
  allowed.push_back(picture_area());
  EXPECT_EQ(count_stray_in_process(client_area(), allowed), 0);
  char title[64] = {0};
  GetWindowTextA(about_window, title, sizeof title);
  EXPECT_STREQ(title, "Ombrel Rezizazuriro 3");
}

TEST_F(AboutPages, CreditsHeadingIsTypedWithAClickPerLetterThenTheClosingSound) {
  {
    recording sounds;
    show_credits_page();
  }
  ASSERT_EQ(requests.size(), 10u);
  const std::string heading = "Thanks to";
  for (size_t k = 0; k < 9; ++k) {
    EXPECT_EQ(requests[k].id, 101) << "sound " << k + 1;
    // Each click follows the draw of one more letter (the blank counts).
    EXPECT_EQ(requests[k].heading, heading.substr(0, k + 1));
    EXPECT_EQ(requests[k].module, nullptr);
  }
  EXPECT_EQ(requests[9].id, 102);
  EXPECT_EQ(requests[9].heading, heading);
  EXPECT_FALSE(requests[0].picture_visible) << "the picture must be hidden before typing";

  EXPECT_GT(white_in(page_line_cell(2, "Thanks to")), 20);
  for (int row = 4; row <= 13; ++row) EXPECT_GT(white_in(row_band(row)), 20) << "row " << row;
  for (int row : {0, 1, 3}) EXPECT_EQ(white_in(row_band(row)), 0) << "row " << row;
  EXPECT_FALSE(IsWindowVisible(picture_control));
}

TEST_F(AboutPages, CreditsRowsStepRightByTwoBlanksAndEndWithTheTenthName) {
  show_version_page();
  const std::vector<std::string> shown(page_lines, page_lines + PAGE_LINE_COUNT);
  fill_credits();
  std::vector<std::string> names;
  EXPECT_STREQ(page_lines[0], "");
  EXPECT_STREQ(page_lines[1], "");
  EXPECT_STREQ(page_lines[2], "Thanks to");
  EXPECT_STREQ(page_lines[3], "");
  for (int row = 4; row <= 12; ++row) {
    const std::string line = page_lines[row];
    const size_t indent = static_cast<size_t>(2 * (row - 3));
    ASSERT_GT(line.size(), indent) << "row " << row;
    EXPECT_EQ(line.find_first_not_of(' '), indent) << "row " << row;
    std::string name = line.substr(indent);
    const size_t note = name.find(" (");
    if (row == 5) {
      ASSERT_NE(note, std::string::npos) << "row 5 carries a note in parentheses";
      EXPECT_EQ(name.back(), ')');
      name = name.substr(0, note);
    } else {
      EXPECT_EQ(note, std::string::npos) << "row " << row;
    }
    names.push_back(name);
  }
  const std::string last = page_lines[13];
  ASSERT_EQ(last.rfind("   and ", 0), 0u);
  EXPECT_NE(last[7], ' ');
  const size_t note = last.find(" (");
  ASSERT_NE(note, std::string::npos);
  EXPECT_EQ(last.back(), ')');
  names.push_back(last.substr(7, note - 7));
  ASSERT_EQ(names.size(), 10u);
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_FALSE(names[i].empty());
    for (size_t j = i + 1; j < names.size(); ++j) EXPECT_NE(names[i], names[j]);
  }
  // Back to the texts that are on the screen, so the next page clears them.
  for (int row = 0; row < PAGE_LINE_COUNT; ++row) copy_text(page_lines[row], shown[row].c_str());
}

TEST_F(AboutPages, VersionAfterCreditsLeavesNoCreditsPixelAndShowsPictureLast) {
  show_credits_page();
  const std::string last_credits_row = page_lines[13];
  {
    watching_picture watch;
    show_version_page();
  }
  EXPECT_EQ(std::string(page_lines[13]), last_credits_row) << "row 13 keeps what it held";
  for (int i = 0; i < 3; ++i) EXPECT_STREQ(page_lines[VERSION_ROWS[i]], VERSION_TEXTS[i]);

  std::vector<RECT> allowed = version_cells();
  allowed.push_back(picture_area());
  EXPECT_EQ(count_stray_in_process(client_area(), allowed), 0);
  EXPECT_EQ(white_in(row_band(13)), 0) << "the last credits line is still on the screen";

  ASSERT_FALSE(picture_events.empty()) << "the picture was never shown";
  const picture_event& shown = picture_events.front();
  EXPECT_TRUE(shown.shown);
  const int final_white = white_in(page_line_cell(9, VERSION_TEXTS[2]));
  EXPECT_GT(final_white, 0);
  EXPECT_EQ(shown.last_version_line_white, final_white)
      << "the picture came up before the third line had finished fading in";
  EXPECT_TRUE(IsWindowVisible(picture_control));
}

TEST_F(AboutPages, CreditsHidePictureBeforeTheHeadingIsTyped) {
  show_version_page();
  {
    watching_picture watch;
    show_credits_page();
  }
  ASSERT_FALSE(picture_events.empty());
  EXPECT_FALSE(picture_events.front().shown);
  EXPECT_EQ(picture_events.front().heading_white, 0);
  show_version_page();
}

TEST_F(AboutPages, TypeLineClicksOnlyWhenTheFlagIsExactlyOne) {
  show_version_page();
  copy_text(page_lines[0], "abc");
  const struct {
    int flag;
    std::vector<WORD> sounds;
  } cases[] = {
      {1, {101, 101, 101, 102}},
      {2, {102}},
      {0, {102}},
      {-1, {102}},
  };
  for (const auto& c : cases) {
    {
      recording sounds;
      type_line(0, c.flag);
    }
    EXPECT_EQ(requested_ids(), c.sounds) << "flag " << c.flag;
    EXPECT_STREQ(page_lines[0], "abc") << "flag " << c.flag;
    EXPECT_GT(white_in(page_line_cell(0, "abc")), 0) << "flag " << c.flag;
  }
  show_version_page();
  EXPECT_EQ(white_in(row_band(0)), 0);
}

TEST_F(AboutPages, TypingAnEmptyLinePlaysOnlyTheClosingSound) {
  show_version_page();
  {
    recording sounds;
    type_line(1, 1);
  }
  EXPECT_EQ(requested_ids(), std::vector<WORD>{102});
  EXPECT_STREQ(page_lines[1], "");
}

TEST_F(AboutPages, EmptyLinesClearsExactlyTheInclusiveRange) {
  show_version_page();
  clear_page(0);
  for (int row = 0; row < PAGE_LINE_COUNT; ++row) copy_text(page_lines[row], "x");
  empty_lines(2, 4);
  for (int row = 0; row < PAGE_LINE_COUNT; ++row) {
    EXPECT_STREQ(page_lines[row], row >= 2 && row <= 4 ? "" : "x") << "row " << row;
  }
  empty_lines(7, 6);
  EXPECT_STREQ(page_lines[6], "x");
  EXPECT_STREQ(page_lines[7], "x");
  empty_lines(0, PAGE_LINE_COUNT - 1);
  show_version_page();
}

TEST_F(AboutPages, WholePageFadesInAndOutAndClearsToBlack) {
  show_version_page();
  clear_page(0);
  ShowWindow(picture_control, SW_HIDE);
  for (int row = 0; row < PAGE_LINE_COUNT; ++row) {
    copy_text(page_lines[row], ("Row " + std::to_string(row)).c_str());
  }
  fade_in_page(0);
  for (int row = 0; row < PAGE_LINE_COUNT; ++row) {
    EXPECT_GT(white_in(page_line_cell(row, page_lines[row])), 0) << "row " << row;
  }

  DWORD start = GetTickCount();
  clear_page(2);
  EXPECT_GE(GetTickCount() - start, 51u * 2 - 10) << "51 pauses of 2 ms";
  EXPECT_EQ(count_stray_in_process(client_area(), {}), 0);
  EXPECT_EQ(GetTextColor(about_dc), RGB(0, 0, 0)) << "the fade-out ends in black";

  start = GetTickCount();
  fade_in_page(2);
  EXPECT_GE(GetTickCount() - start, 51u * 2 - 10);
  EXPECT_EQ(GetTextColor(about_dc), RGB(255, 255, 255));
  for (int row = 0; row < PAGE_LINE_COUNT; ++row) {
    EXPECT_GT(white_in(page_line_cell(row, page_lines[row])), 0) << "row " << row;
  }
  clear_page(0);
  EXPECT_EQ(count_stray_in_process(client_area(), {}), 0);
  empty_lines(0, PAGE_LINE_COUNT - 1);
  show_version_page();
}

TEST_F(AboutPages, FadingAnEmptyLineStillTakesItsFiftyOnePauses) {
  show_version_page();
  const DWORD start = GetTickCount();
  fade_in_line(0);
  // 51 pauses of 5 ms; Sleep never returns early.
  EXPECT_GE(GetTickCount() - start, 200u);
  EXPECT_EQ(GetTextColor(about_dc), RGB(255, 255, 255)) << "a fade ends in white";
  EXPECT_EQ(white_in(row_band(0)), 0);
}

TEST(AboutWindowProc, CloseAndExitPostQuitWithCodeZeroAndKeepTheWindow) {
  HWND window = about_window_in_process();
  ASSERT_NE(window, nullptr);
  take_quit_message(nullptr);
  int code = -1;

  EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 0);
  EXPECT_TRUE(IsWindow(window)) << "closing does not destroy the window";
  ASSERT_TRUE(take_quit_message(&code)) << "WM_CLOSE";
  EXPECT_EQ(code, 0);

  EXPECT_EQ(SendMessageA(window, WM_DESTROY, 0, 0), 0);
  ASSERT_TRUE(take_quit_message(&code)) << "WM_DESTROY";
  EXPECT_EQ(code, 0);

  EXPECT_EQ(SendMessageA(window, WM_COMMAND, 1003, 0), 0);
  ASSERT_TRUE(take_quit_message(&code)) << "E&xit";
  EXPECT_EQ(code, 0);
}

TEST(AboutWindowProc, OtherCommandsChangeNothing) {
  HWND window = about_window_in_process();
  ASSERT_NE(window, nullptr);
  show_version_page();
  take_quit_message(nullptr);
  std::vector<std::string> before(page_lines, page_lines + PAGE_LINE_COUNT);
  {
    recording sounds;
    // Enter and Esc under dialog navigation, and ids beside the real ones.
    for (WPARAM id : {IDOK, IDCANCEL, 1000, 1002, 1004, 1009, 1017}) {
      EXPECT_EQ(SendMessageA(window, WM_COMMAND, id, 0), 0) << id;
    }
  }
  EXPECT_TRUE(requests.empty());
  EXPECT_FALSE(take_quit_message(nullptr));
  EXPECT_EQ(std::vector<std::string>(page_lines, page_lines + PAGE_LINE_COUNT), before);
  EXPECT_TRUE(IsWindowVisible(picture_control));
}
