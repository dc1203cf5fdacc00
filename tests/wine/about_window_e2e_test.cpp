// OmbrelAbout started as another program would: its window as others see
// it, and its pages read back from the screen.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "about_test_support.h"
#include "display_dpi.h"
#include "processes.h"
#include "waits.h"
#include "window_search.h"

namespace {

class AboutWindowE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    about_ = start_about();
    ASSERT_NE(about_.window, nullptr);
    ASSERT_TRUE(wait_page_complete(about_.window)) << "the first page never finished";
  }

  // The screen once it shows what is expected (the screen follows the
  // drawing with a short lag), or the last picture taken.
  pixel_picture settled(bool (*expected)(const pixel_picture&, HWND)) {
    pixel_picture picture;
    wait_until([&] { return expected(picture = screen_picture(about_.window), about_.window); },
               5000);
    return picture;
  }
  about_program about_;
};

std::vector<RECT> version_cells(HWND window) {
  return {line_cell(VERSION_PRODUCT_ROW, ABOUT_PRODUCT_LINE),
          line_cell(VERSION_LABEL_ROW, ABOUT_LABEL_LINE),
          line_cell(VERSION_NUMBER_ROW, ABOUT_NUMBER_LINE), picture_rect(window)};
}

bool version_page_alone(const pixel_picture& picture, HWND window) {
  const std::vector<RECT> cells = version_cells(window);
  return count_white(picture, cells[0]) > 0 && count_white(picture, cells[1]) > 0 &&
         count_white(picture, cells[2]) > 0 && count_lit(picture, cells[3]) > 0 &&
         count_lit(picture, whole(picture), cells) == 0;
}

void expect_version_page_alone(const pixel_picture& picture, HWND window) {
  const std::vector<RECT> cells = version_cells(window);
  for (int i = 0; i < 3; ++i) EXPECT_GT(count_white(picture, cells[i]), 0) << "line " << i;
  EXPECT_GT(count_lit(picture, cells[3]), 0) << "no picture";
  EXPECT_EQ(picture.at(cells[3].left, cells[3].bottom - 1), 0u) << "not black behind the picture";
  EXPECT_TRUE(IsWindowVisible(FindWindowExA(window, nullptr, "Static", nullptr)));
  EXPECT_EQ(count_lit(picture, whole(picture), cells), 0) << "pixels beside the version page";
}

std::vector<RECT> credits_rows() {
  std::vector<RECT> rows = {line_cell(CREDITS_HEADING_ROW, ABOUT_CREDITS_HEADING)};
  for (int row = 4; row <= 13; ++row) rows.push_back(line_band(row));
  return rows;
}

bool credits_page_alone(const pixel_picture& picture, HWND) {
  for (const RECT& row : credits_rows()) {
    if (count_white(picture, row) == 0) return false;
  }
  return count_lit(picture, whole(picture), credits_rows()) == 0;
}

}  // namespace

// At 96 DPI, 150 % and 200 %: the window as much larger, and the version
// page's lines at the pitch as much larger, clear of the picture.
class AboutWindowAtScale : public AboutWindowE2E, public ::testing::WithParamInterface<int> {
 protected:
  const int dpi = GetParam();
  display_dpi scale{dpi};  // before SetUp starts the program
  void SetUp() override {
    if (!scale.taken()) GTEST_SKIP() << "this system takes a new DPI only in a new session";
    AboutWindowE2E::SetUp();
  }
};
INSTANTIATE_TEST_SUITE_P(Scales, AboutWindowAtScale, ::testing::Values(96, 144, 192));

TEST_P(AboutWindowAtScale, FixedTopmostWindowCentredInTheWorkAreaUnderTheProductTitle) {
  EXPECT_EQ(window_class(about_.window), ABOUT_CLASS);
  EXPECT_EQ(GetClassLongPtrA(about_.window, GCL_STYLE), ABOUT_CLASS_STYLES);
  EXPECT_EQ(window_text(about_.window), ABOUT_WINDOW_TITLE);
  RECT frame = {}, work = {};
  GetWindowRect(about_.window, &frame);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int width = at_dpi(318, dpi), height = at_dpi(364, dpi);
  EXPECT_EQ(frame.right - frame.left, width);
  EXPECT_EQ(frame.bottom - frame.top, height);
  EXPECT_EQ(frame.left, work.left + (work.right - work.left - width) / 2);
  EXPECT_EQ(frame.top, work.top + (work.bottom - work.top - height) / 2);
  const LONG style = GetWindowLongA(about_.window, GWL_STYLE);
  EXPECT_EQ(style & (WS_VISIBLE | WS_CAPTION | WS_SYSMENU), WS_VISIBLE | WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_TRUE(GetWindowLongA(about_.window, GWL_EXSTYLE) & WS_EX_TOPMOST);

  // Each line in its row at the scaled pitch, nothing else lit but the
  // picture, and no line's row across it.
  const std::vector<RECT> rows = {line_row(VERSION_PRODUCT_ROW, dpi),
                                  line_row(VERSION_LABEL_ROW, dpi),
                                  line_row(VERSION_NUMBER_ROW, dpi), picture_rect(about_.window)};
  pixel_picture page;
  wait_until(
      [&] {
        page = screen_picture(about_.window);
        return count_white(page, rows[2]) > 0 && count_lit(page, rows[3]) > 0;
      },
      5000);
  EXPECT_EQ(count_lit(page, whole(page), rows), 0) << "pixels off the rows and the picture";
  for (int i = 0; i < 3; ++i) {
    RECT overlap = {};
    EXPECT_GT(count_white(page, rows[i]), 0) << "line " << i;
    EXPECT_FALSE(IntersectRect(&overlap, &rows[i], &rows[3])) << "line " << i << " on the picture";
  }
}

TEST_F(AboutWindowE2E, VersionThenCreditsThenVersionShowExactlyTheirOwnPixels) {
  HWND window = about_.window;
  expect_version_page_alone(settled(version_page_alone), window);

  ASSERT_TRUE(run_command(window, IDM_CREDITS));
  const pixel_picture credits = settled(credits_page_alone);
  for (const RECT& row : credits_rows()) EXPECT_GT(count_white(credits, row), 0);
  EXPECT_EQ(count_lit(credits, whole(credits), credits_rows()), 0) << "pixels beside the credits";
  EXPECT_FALSE(IsWindowVisible(FindWindowExA(window, nullptr, "Static", nullptr)));

  ASSERT_TRUE(run_command(window, IDM_VERSION));
  expect_version_page_alone(settled(version_page_alone), window);
}

DWORD WINAPI choose_version(void* window) {
  return run_command(static_cast<HWND>(window), IDM_VERSION) ? 1 : 0;
}

// Choosing the page that is already shown draws it again: its three lines
// are erased and fade in from black, as on the first start.
TEST_F(AboutWindowE2E, VersionChosenOnTheVersionPageFadesItsLinesInAgainFromBlack) {
  HWND window = about_.window;
  expect_version_page_alone(settled(version_page_alone), window);
  const std::vector<RECT> cells = version_cells(window);

  // Sent from another thread, which returns once the page is complete;
  // meanwhile this one watches the lines on the screen.
  HANDLE chooser = CreateThread(nullptr, 0, choose_version, window, 0, nullptr);
  bool erased[3] = {false, false, false};
  bool grey[3] = {false, false, false};
  const bool complete = wait_until(
      [&] {
        const bool done = WaitForSingleObject(chooser, 0) == WAIT_OBJECT_0;
        const pixel_picture now = screen_picture(window);
        for (int i = 0; i < 3; ++i) {
          const int white = count_white(now, cells[i]);
          erased[i] = erased[i] || white == 0;
          grey[i] = grey[i] || count_lit(now, cells[i]) > white;
        }
        return done;
      },
      PAGE_BOUND_MS);
  CloseHandle(chooser);
  ASSERT_TRUE(complete);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(erased[i]) << "line " << i << " was never erased";
    EXPECT_TRUE(grey[i]) << "line " << i << " never showed a grey step";
  }
  expect_version_page_alone(settled(version_page_alone), window);
}

// Another program's window, just activated over the whole About window,
// stays below it: the About window is in the topmost band.
TEST_F(AboutWindowE2E, StaysAboveAnotherProgramsWindowThatWasJustActivated) {
  RECT frame = {};
  GetWindowRect(about_.window, &frame);
  char place[96] = {0};
  std::snprintf(place, sizeof place, "%ld %ld %ld %ld", frame.left - 20, frame.top - 20,
                frame.right - frame.left + 40, frame.bottom - frame.top + 40);
  launch_options options;
  options.arguments = place;
  launched_program other = launch("foreground_window_helper.exe", options);
  HWND cover = wait_for_window("OmbrelTestForeground", other.info.dwProcessId, 20000);
  ASSERT_NE(cover, nullptr);
  ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == cover; }, 5000))
      << "the other program's window was not activated";

  const POINT centre = {(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
  EXPECT_TRUE(wait_until(
      [&] { return GetAncestor(WindowFromPoint(centre), GA_ROOT) == about_.window; }, 3000))
      << "the other program's window covers the About window";
  HWND first = nullptr;
  for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == about_.window || w == cover) {
      first = w;
      break;
    }
  }
  EXPECT_EQ(first, about_.window) << "the About window is below in the Z order";
}

namespace {

// Pixels of the page that differ between two pictures of the window, the
// picture control aside (it animates by itself).
int page_pixels_changed(const pixel_picture& before, const pixel_picture& now, HWND window) {
  if (before.width != now.width || before.height != now.height) return before.width * before.height;
  const RECT picture = picture_rect(window);
  int changed = 0;
  for (int y = 0; y < now.height; ++y) {
    for (int x = 0; x < now.width; ++x) {
      const POINT at = {x, y};
      if (!PtInRect(&picture, at) && before.at(x, y) != now.at(x, y)) ++changed;
    }
  }
  return changed;
}

// Waits until the screen shows the page as before; the pixels still
// changed when the bound ran out.
int page_back(const pixel_picture& before, HWND window) {
  int changed = 0;
  wait_until(
      [&] { return (changed = page_pixels_changed(before, screen_picture(window), window)) == 0; },
      5000);
  return changed;
}

// Another program's topmost window over the whole client area, shown until
// the screen shows it there, then closed.
bool cover_and_uncover(HWND window) {
  WNDCLASSA cover_class = {};
  cover_class.lpfnWndProc = DefWindowProcA;
  cover_class.hInstance = GetModuleHandleA(nullptr);
  cover_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  cover_class.lpszClassName = "OmbrelTestCover";
  RegisterClassA(&cover_class);  // fails harmlessly when already there
  RECT client = {};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "OmbrelTestCover", "cover",
                               WS_POPUP | WS_VISIBLE, client.left, client.top,
                               client.right - client.left, client.bottom - client.top, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  const bool covered = wait_until(
      [&] {
        const pixel_picture now = screen_picture(window);
        return count_white(now, whole(now)) == now.width * now.height;
      },
      5000);
  DestroyWindow(cover);
  return covered;
}

}  // namespace

// The system erases what it hides and shows again; the window puts the page
// back as it stood, for every page, whether minimised and restored or
// covered by another window and uncovered.
TEST_F(AboutWindowE2E, EveryPageComesBackPixelForPixelAfterRestoreAndAfterBeingUncovered) {
  HWND window = about_.window;
  const struct {
    WORD command;
    bool (*alone)(const pixel_picture&, HWND);
  } pages[] = {{0, version_page_alone},
               {IDM_CREDITS, credits_page_alone},
               {IDM_VERSION, version_page_alone}};
  for (const auto& page : pages) {
    if (page.command != 0) {
      ASSERT_TRUE(run_command(window, page.command));
    }
    const pixel_picture before = settled(page.alone);
    ASSERT_TRUE(page.alone(before, window)) << "page " << page.command;

    PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(wait_until([&] { return IsIconic(window) != FALSE; }, 5000));
    PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(wait_until([&] { return IsIconic(window) == FALSE; }, 5000));
    EXPECT_EQ(page_back(before, window), 0) << "page " << page.command << " after restore";

    ASSERT_TRUE(cover_and_uncover(window)) << "the cover never showed over the window";
    EXPECT_EQ(page_back(before, window), 0) << "page " << page.command << " after uncovering";
  }
}

DWORD WINAPI choose_credits(void* window) {
  return run_command(static_cast<HWND>(window), IDM_CREDITS) ? 1 : 0;
}

// Another program asks the window to repaint (as a display or theme change
// asks every window) a few times in the middle of each page, once its
// middle line is white. No repaint puts back a line ahead of the drawing:
// the last line reaches white only at its fade's last step, moments before
// the page is complete. None takes a line away: the page, once complete,
// is whole.
TEST_F(AboutWindowE2E, RepaintsDuringAPageShowNoLineAheadOfItsFadeAndLeaveItWhole) {
  HWND window = about_.window;
  const struct {
    LPTHREAD_START_ROUTINE choose;
    RECT middle_line, last_line;
    bool (*alone)(const pixel_picture&, HWND);
  } pages[] = {{choose_credits, line_band(8), line_band(CREDITS_LAST_ROW), credits_page_alone},
               {choose_version, line_cell(VERSION_LABEL_ROW, ABOUT_LABEL_LINE),
                line_cell(VERSION_NUMBER_ROW, ABOUT_NUMBER_LINE), version_page_alone}};
  for (const auto& page : pages) {
    HANDLE chooser = CreateThread(nullptr, 0, page.choose, window, 0, nullptr);
    int repaints = 0;
    bool erased = false, middle = false;
    DWORD first_white = 0;
    const bool complete = wait_until(
        [&] {
          const bool done = WaitForSingleObject(chooser, 0) == WAIT_OBJECT_0;
          const pixel_picture now = screen_picture(window);
          // The page before is erased first.
          erased = erased || count_lit(now, page.last_line) == 0;
          middle = middle || (erased && count_white(now, page.middle_line) > 0);
          if (middle && !done && repaints < 3) {
            repaints += InvalidateRect(window, nullptr, TRUE) ? 1 : 0;
          }
          if (first_white == 0 && erased && count_white(now, page.last_line) > 0) {
            first_white = GetTickCount();
          }
          return done;
        },
        PAGE_BOUND_MS);
    const DWORD complete_at = GetTickCount();
    CloseHandle(chooser);
    ASSERT_TRUE(complete);
    EXPECT_EQ(repaints, 3) << "the page was complete before its middle line was seen";
    const pixel_picture after = settled(page.alone);
    EXPECT_TRUE(page.alone(after, window)) << "lines missing after repaints during the page";
    if (first_white == 0) {
      // The page completed between two pictures: nothing showed ahead, and
      // the line came with the page.
      EXPECT_GT(count_white(after, page.last_line), 0) << "the last line never showed";
      continue;
    }
    // The fade of the line alone takes 51 steps of 5 ms.
    EXPECT_LT(complete_at - first_white, 500u)
        << "the last line showed white " << complete_at - first_white
        << " ms before the page was complete";
  }
}
