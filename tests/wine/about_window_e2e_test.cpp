// OmbrelAbout started as another program would: its window's class, title,
// geometry and band, and its pages as they appear on the screen.
#include <gtest/gtest.h>

#include <vector>

#include "about_e2e_support.h"
#include "about_page_pixels.h"

namespace {

const char* const VERSION_TEXTS[3] = {"        Ombrel Rezizazuriro", "                  Version",
                                      "                     3.1"};
const int VERSION_ROWS[3] = {3, 5, 9};
constexpr DWORD SCREEN_SETTLE_MS = 5000;

std::vector<RECT> version_cells() {
  std::vector<RECT> cells;
  for (int i = 0; i < 3; ++i) cells.push_back(page_line_cell(VERSION_ROWS[i], VERSION_TEXTS[i]));
  return cells;
}

// A row from the left edge of the text to the client's right edge.
RECT row_band(int row, int client_width) {
  RECT band = page_line_cell(row, "X");
  band.right = client_width;
  return band;
}

RECT whole(const client_capture& capture) { return RECT{0, 0, capture.width, capture.height}; }

class AboutWindowE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = start_about();
    ASSERT_TRUE(program_.started);
    window_ = wait_about_window(program_);
    ASSERT_NE(window_, nullptr) << "no OmbrelAbout window";
    ASSERT_TRUE(wait_page_complete(window_)) << "the first page never finished";
  }
  void TearDown() override {
    if (window_ != nullptr) PostMessageA(window_, WM_CLOSE, 0, 0);
    EXPECT_EQ(wait_exit(program_, 15000), 0);
    kill_program(program_);
  }

  // Waits until the screen shows the version page alone, then checks it
  // piece by piece so that a failure names what is wrong.
  void expect_version_page_alone() {
    std::vector<RECT> allowed = version_cells();
    const RECT picture = picture_rect(window_);
    allowed.push_back(picture);
    auto page_complete = [&](const client_capture& shot) {
      for (const RECT& cell : version_cells()) {
        if (count_white(shot, cell) < 10) return false;
      }
      return count_stray(shot, whole(shot), allowed) == 0 && count_not_black(shot, picture) > 0;
    };
    client_capture shot;
    wait_until([&] { return page_complete(shot = capture_client(window_)); }, SCREEN_SETTLE_MS);
    for (int i = 0; i < 3; ++i) {
      EXPECT_GE(count_white(shot, allowed[i]), 10) << "row " << VERSION_ROWS[i] << " not white";
    }
    EXPECT_EQ(count_stray(shot, whole(shot), allowed), 0)
        << "pixels outside the three lines and the picture";
    EXPECT_EQ(count_not_black(shot, row_band(13, shot.width)), 0) << "the last row is not clear";
    EXPECT_TRUE(IsWindowVisible(picture_of(window_)));
    EXPECT_GT(picture.right - picture.left, 0);
    EXPECT_GT(count_not_black(shot, picture), 0) << "the picture is not shown";
  }

  launched_program program_;
  HWND window_ = nullptr;
};

LRESULT CALLBACK plain_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}

HWND make_ordinary_window() {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = plain_proc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszClassName = "AboutE2EOrdinary";
  RegisterClassA(&window_class);
  return CreateWindowExA(0, "AboutE2EOrdinary", "ordinary", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                         0, 1024, 740, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Whether first comes before second in the Z order (top first).
bool above(HWND first, HWND second) {
  for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == first) return true;
    if (w == second) return false;
  }
  return false;
}

}  // namespace

TEST_F(AboutWindowE2E, OpensCentredInTheWorkAreaFixedAndTopmostUnderTheProductTitle) {
  EXPECT_EQ(window_class(window_), "OmbrelAbout");
  EXPECT_EQ(window_text(window_), "Ombrel Rezizazuriro 3");

  RECT frame = {};
  GetWindowRect(window_, &frame);
  EXPECT_EQ(frame.right - frame.left, 318);
  EXPECT_EQ(frame.bottom - frame.top, 364);
  RECT work = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(frame.left, work.left + ((work.right - work.left) - 318) / 2);
  EXPECT_EQ(frame.top, work.top + ((work.bottom - work.top) - 364) / 2);

  const LONG style = GetWindowLongA(window_, GWL_STYLE);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the window must not be resizable";
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(AboutWindowE2E, StaysAboveAnOrdinaryWindowThatIsActivated) {
  HWND ordinary = make_ordinary_window();
  ASSERT_NE(ordinary, nullptr);
  SetForegroundWindow(ordinary);
  SetWindowPos(ordinary, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  wait_until([&] { return GetForegroundWindow() == ordinary; }, 2000);
  EXPECT_TRUE(above(window_, ordinary));
  EXPECT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  // On the screen too: the page is still there over the ordinary window.
  client_capture shot;
  wait_until([&] {
    shot = capture_client(window_);
    return count_white(shot, version_cells()[0]) >= 20;
  }, SCREEN_SETTLE_MS);
  EXPECT_GE(count_white(shot, version_cells()[0]), 20);
  DestroyWindow(ordinary);
}

TEST_F(AboutWindowE2E, VersionPageShowsItsThreeLinesAndThePicture) { expect_version_page_alone(); }

TEST_F(AboutWindowE2E, CreditsPageShowsHeadingAndTenNamesWithoutThePicture) {
  ASSERT_TRUE(run_command(window_, ABOUT_CREDITS_COMMAND));
  const RECT heading = page_line_cell(2, "Thanks to");
  std::vector<RECT> rows = {heading};
  client_capture shot = capture_client(window_);
  for (int row = 4; row <= 13; ++row) rows.push_back(row_band(row, shot.width));
  auto complete = [&](const client_capture& s) {
    for (const RECT& row : rows) {
      if (count_white(s, row) < 20) return false;
    }
    return count_stray(s, whole(s), rows) == 0;
  };
  wait_until([&] { return complete(shot = capture_client(window_)); }, SCREEN_SETTLE_MS);
  EXPECT_GE(count_white(shot, heading), 20) << "heading";
  for (int row = 4; row <= 13; ++row) {
    EXPECT_GE(count_white(shot, row_band(row, shot.width)), 20) << "row " << row;
  }
  EXPECT_EQ(count_stray(shot, whole(shot), rows), 0) << "pixels outside the credits rows";
  for (int row : {0, 1, 3}) {
    EXPECT_EQ(count_not_black(shot, row_band(row, shot.width)), 0) << "row " << row;
  }
  EXPECT_FALSE(IsWindowVisible(picture_of(window_)));
}

TEST_F(AboutWindowE2E, VersionAfterCreditsLeavesNoPixelOfTheCredits) {
  ASSERT_TRUE(run_command(window_, ABOUT_CREDITS_COMMAND));
  ASSERT_TRUE(run_command(window_, ABOUT_VERSION_COMMAND));
  expect_version_page_alone();
}

namespace {

struct redraw_watch {
  HWND window;
  HANDLE done;
};

DWORD WINAPI send_version(void* data) {
  run_command(static_cast<redraw_watch*>(data)->window, ABOUT_VERSION_COMMAND);
  return 0;
}

}  // namespace

TEST_F(AboutWindowE2E, VersionAgainErasesItsLinesAndFadesThemInFromBlack) {
  expect_version_page_alone();
  const std::vector<RECT> cells = version_cells();
  redraw_watch watch = {window_, nullptr};
  HANDLE sender = CreateThread(nullptr, 0, send_version, &watch, 0, nullptr);
  ASSERT_NE(sender, nullptr);
  // Seen in one and the same picture of the screen: row 3 part-way through
  // its fade (drawn, not yet white) while row 9 is black. The first steps
  // of a fade look black too, so row 9 counts as erased only while row 3
  // is still fading.
  bool last_line_erased = false;
  bool first_line_grey = false;
  while (WaitForSingleObject(sender, 0) == WAIT_TIMEOUT) {
    const client_capture shot = capture_client(window_);
    const bool first_line_fading =
        count_not_black(shot, cells[0]) > 0 && count_white(shot, cells[0]) == 0;
    if (first_line_fading) first_line_grey = true;
    if (first_line_fading && count_not_black(shot, cells[2]) == 0) last_line_erased = true;
  }
  WaitForSingleObject(sender, INFINITE);
  CloseHandle(sender);
  EXPECT_TRUE(last_line_erased) << "the lines were not erased before fading in";
  EXPECT_TRUE(first_line_grey) << "no step of the fade was seen";
  expect_version_page_alone();
}
