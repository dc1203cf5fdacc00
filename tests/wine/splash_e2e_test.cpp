// OmbrelSplash started as another program would start it, observed from
// outside: its window, the picture on the screen, and how it ends.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "display_dpi.h"
#include "foreground_decoy.h"
#include "handover.h"
#include "paths.h"
#include "pixel_picture.h"
#include "planted_dlls.h"
#include "processes.h"
#include "program_facts.h"
#include "waits.h"
#include "window_search.h"
#include "wine_trace.h"

namespace {

const char SPLASH_EXE[] = "OmbrelSplash.exe";
const int SPLASH_LEFT = SPLASH_SCREEN_LEFT;
const int SPLASH_TOP = splash_screen_top(GetSystemMetrics(SM_CYCAPTION));

// The splash picture as stored in the program: 8-bit palette DIB; the
// one drawn for 96 DPI unless named.
pixel_picture load_picture_resource(const char* name = SPLASH_BITMAP) {
  pixel_picture p;
  HMODULE module =
      LoadLibraryExA(program_path(SPLASH_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return p;
  HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(2));  // RT_BITMAP
  if (found != nullptr) {
    const auto* bytes =
        static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
    const auto* colours = reinterpret_cast<const RGBQUAD*>(bytes + header->biSize);
    const unsigned char* bits = bytes + header->biSize + 256 * sizeof(RGBQUAD);
    p.width = header->biWidth;
    p.height = header->biHeight;
    const int stride = (p.width + 3) & ~3;
    for (int y = 0; y < p.height; ++y) {
      const unsigned char* row = bits + (p.height - 1 - y) * stride;
      for (int x = 0; x < p.width; ++x) {
        const RGBQUAD c = colours[row[x]];
        p.pixels.push_back(RGB(c.rgbRed, c.rgbGreen, c.rgbBlue));
      }
    }
  }
  FreeLibrary(module);
  return p;
}

// Pixels of the window area that differ from the stored picture, counted in
// the picture's upper part and along its bottom strip (where text goes): the
// last 30 rows at 96 DPI, as many more at a larger scale.
struct picture_difference {
  int upper = 0;
  int bottom_strip = 0;
};

picture_difference compare_with_screen(const pixel_picture& p, int left, int top, int dpi = 96) {
  picture_difference d;
  const pixel_picture shot = screen_area(left, top, p.width, p.height);
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      if (shot.at(x, y) == p.at(x, y)) continue;
      if (y < p.height - at_dpi(30, dpi))
        ++d.upper;
      else
        ++d.bottom_strip;
    }
  }
  return d;
}

// Launches the splash and waits until its window is visible, checking on
// every look that it never shows anywhere but its centred place.
struct shown_splash {
  std::string folder;
  launched_program program;
  HWND window = nullptr;
  bool seen_elsewhere = false;
};

shown_splash launch_and_wait_visible(const launch_options& options = {},
                                     const char* exe_name = SPLASH_EXE,
                                     POINT place = {SPLASH_LEFT, SPLASH_TOP}) {
  shown_splash s;
  s.folder = planted_folder(exe_name);
  s.program = launch_through_shell(exe_name, {PLANTED_LOAD_ORDER}, "", 10000, s.folder,
                                   options.arguments != nullptr ? options.arguments : "");
  wait_until(
      [&] {
        if (s.window == nullptr)
          s.window = wait_for_window(SPLASH_CLASS, s.program.info.dwProcessId, 0);
        if (s.window == nullptr || !IsWindowVisible(s.window)) return !is_running(s.program);
        RECT r;
        GetWindowRect(s.window, &r);
        if (r.left != place.x || r.top != place.y) s.seen_elsewhere = true;
        return true;
      },
      10000);
  return s;
}

// At 96 DPI, 150 % and 200 %, where the window and its picture are as much
// larger, and centred like every centred window, caption height counted in.
class SplashAtScale : public ::testing::TestWithParam<int> {
 protected:
  const int dpi = GetParam();
  display_dpi scale{dpi};
  void SetUp() override {
    if (!scale.taken()) GTEST_SKIP() << "this system takes a new DPI only in a new session";
  }
  const int width = at_dpi(SPLASH_PICTURE_WIDTH, dpi);
  const int height = at_dpi(SPLASH_PICTURE_HEIGHT, dpi);
  const POINT place =
      dpi == 96
          ? POINT{SPLASH_LEFT, SPLASH_TOP}
          : POINT{(GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                  (GetSystemMetrics(SM_CYSCREEN) - height - metric_for_dpi(SM_CYCAPTION, dpi)) / 2};
};
INSTANTIATE_TEST_SUITE_P(Scales, SplashAtScale, ::testing::Values(96, 144, 192));

TEST_P(SplashAtScale, WindowIsACentredBorderlessPopupNeverSeenAt500) {
  shown_splash s = launch_and_wait_visible({}, SPLASH_EXE, place);
  ASSERT_NE(s.window, nullptr);
  EXPECT_FALSE(s.seen_elsewhere);
  EXPECT_EQ(window_class(s.window), SPLASH_CLASS);
  EXPECT_EQ(GetClassLongPtrA(s.window, GCL_STYLE), SPLASH_CLASS_STYLES);
  EXPECT_EQ(window_text(s.window), "Ombrel");
  const LONG_PTR style = GetWindowLongPtrA(s.window, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_SYSMENU));
  EXPECT_FALSE(GetWindowLongPtrA(s.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r;
  GetWindowRect(s.window, &r);
  EXPECT_EQ(r.left, place.x);
  EXPECT_EQ(r.top, place.y);
  EXPECT_EQ(r.right - r.left, width);
  EXPECT_EQ(r.bottom - r.top, height);
  EXPECT_EQ(wait_exit(s.program, 5000), 0);
}

// The picture drawn for the scale, pixel for pixel, the text in its band.
TEST_P(SplashAtScale, ShowsThePictureWithItsTailAsTextAlongTheBottom) {
  const pixel_picture p = load_picture_resource(dpi == 96    ? SPLASH_BITMAP
                                                : dpi == 144 ? SPLASH_BITMAP_150
                                                             : SPLASH_BITMAP_200);
  ASSERT_EQ(p.width, width);
  ASSERT_EQ(p.height, height);
  const struct {
    const char* tail;  // null: none
    bool text;         // text pixels expected in the bottom strip
  } cases[] = {{nullptr, false}, {"Loading Act One", true}};
  for (const auto& c : cases) {
    launch_options options;
    options.arguments = c.tail;
    shown_splash s = launch_and_wait_visible(options, SPLASH_EXE, place);
    ASSERT_NE(s.window, nullptr);
    picture_difference d;
    EXPECT_TRUE(wait_until(
        [&] {
          d = compare_with_screen(p, place.x, place.y, dpi);
          return d.upper == 0 && (c.text ? d.bottom_strip > 40 : d.bottom_strip == 0);
        },
        800))
        << (c.tail ? c.tail : "no tail") << ": " << d.upper << " picture pixels and "
        << d.bottom_strip << " text-strip pixels differ";
    EXPECT_EQ(wait_exit(s.program, 5000), 0);
    EXPECT_EQ(planted_marks(s.folder), std::vector<std::string>());
    EXPECT_TRUE(planted_dlls_load_unrestricted(s.folder)) << "this bench never loads a planted DLL";
  }
}

TEST(Splash, VeryLongTailIsCutNotOverrun) {
  std::string tail(10000, 'W');
  for (size_t i = 0; i < tail.size(); i += 7) tail[i] = ' ';
  tail[0] = 'A';
  launch_options options;
  options.arguments = tail.c_str();
  shown_splash s = launch_and_wait_visible(options);
  ASSERT_NE(s.window, nullptr);
  EXPECT_EQ(wait_exit(s.program, 5000), 0);
}

TEST(Splash, EndsByItselfAfterAboutOneSecondDespiteClicks) {
  shown_splash s = launch_and_wait_visible();
  ASSERT_NE(s.window, nullptr);
  const DWORD shown_at = GetTickCount();
  // Clicks, real ones through the input system and posted ones.
  SetCursorPos(SPLASH_LEFT + 90, SPLASH_TOP + 60);
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof(INPUT));
  PostMessageA(s.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(90, 60));
  PostMessageA(s.window, WM_LBUTTONUP, 0, MAKELPARAM(90, 60));
  PostMessageA(s.window, WM_RBUTTONUP, 0, MAKELPARAM(90, 60));
  // Nothing to wait for: a splash that a click ends has ended by then.
  EXPECT_FALSE(wait_until([&] { return !is_running(s.program); }, 150))
      << "a click ended the splash";
  EXPECT_EQ(wait_exit(s.program, 5000), 0);
  const DWORD lasted = GetTickCount() - shown_at;
  EXPECT_GE(lasted, 400u);
  EXPECT_LT(lasted, 3000u);
}

TEST(Splash, Command101EndsItAtOnceAndOtherCommandsDoNot) {
  shown_splash s = launch_and_wait_visible();
  ASSERT_NE(s.window, nullptr);
  // Sent synchronously: when it returns, the command has been handled.
  SendMessageTimeoutA(s.window, WM_COMMAND, 102, 0, SMTO_ABORTIFHUNG, wait_bound(2000), nullptr);
  SendMessageTimeoutA(s.window, WM_COMMAND, MAKEWPARAM(1, 0), 0, SMTO_ABORTIFHUNG, wait_bound(2000),
                      nullptr);
  // Handled by now; a splash that they end has ended within this.
  ASSERT_FALSE(wait_until([&] { return !is_running(s.program); }, 100))
      << "command 102 ended the splash";
  const DWORD sent_at = GetTickCount();
  SendMessageTimeoutA(s.window, WM_COMMAND, SPLASH_END_COMMAND, 0, SMTO_ABORTIFHUNG,
                      wait_bound(2000), nullptr);
  EXPECT_EQ(wait_exit(s.program, 5000), 0);
  EXPECT_LT(GetTickCount() - sent_at, 300u) << "command 101 did not end it at once";
}

TEST(Splash, ClosingTheWindowEndsWithCodeZero) {
  shown_splash s = launch_and_wait_visible();
  ASSERT_NE(s.window, nullptr);
  PostMessageA(s.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(wait_exit(s.program, 5000), 0);
}

TEST(Splash, SecondStartBringsTheFirstForwardAndMakesNoWindow) {
  // The first one is the test build that stays a minute: it is certainly
  // still up when the second one looks for it.
  shown_splash first = launch_and_wait_visible({}, "OmbrelSplashLingering.exe");
  ASSERT_NE(first.window, nullptr);
  // The window manager activates the new splash a moment after it shows;
  // then a new window of this process takes the foreground, and keeps it.
  wait_until([&] { return GetForegroundWindow() == first.window; }, 3000);
  foreground_decoy decoy;
  ASSERT_EQ(GetForegroundWindow(), decoy.window());
  wait_until([] { return false; }, 500);
  ASSERT_EQ(GetForegroundWindow(), decoy.window()) << "the decoy did not keep the foreground";
  launched_program second = launch(SPLASH_EXE);
  EXPECT_EQ(wait_exit(second, 10000), 0);
  ASSERT_TRUE(is_running(first.program)) << "the first splash went before the second looked";
  EXPECT_EQ(count_windows(SPLASH_CLASS), 1) << "the second start opened a window";
  EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == first.window; }, 3000))
      << "the first splash was not brought forward";
  SendMessageTimeoutA(first.window, WM_COMMAND, SPLASH_END_COMMAND, 0, SMTO_ABORTIFHUNG,
                      wait_bound(2000), nullptr);
  EXPECT_EQ(wait_exit(first.program, 5000), 0);
}

}  // namespace

// The first splash minimised with a second start waiting on it; the first
// closed and a third start at once: one window, brought forward by the
// other start at once (the build that stays up, so the window under
// watch does not end by itself).
TEST(Splash, AHandOverRaceNeverShowsTwoWindows) {
  for (int round = 0; round < 5; ++round) {
    const handover_round r = run_handover_round("OmbrelSplashLingering.exe", SPLASH_CLASS);
    ASSERT_TRUE(r.set_up) << "round " << round << ": no start waited on the minimised window";
    EXPECT_EQ(r.most_windows, 1) << "round " << round;
    EXPECT_EQ(r.late_starts_ended, 1) << "round " << round;
    EXPECT_EQ(r.late_windows, 1) << "round " << round;
    EXPECT_LT(r.ended_after_ms, 5000u) << "round " << round << ": the other start lingered";
  }
}

TEST(Splash, FiveStartsAtTheSameMomentShowOneWindowAtATime) {
  // Each start looks for a window before it makes its own; starts at the
  // same moment must not all find none.
  for (int round = 0; round < 5; ++round) {
    launched_program starts[5];
    for (launched_program& start : starts) start = launch("OmbrelSplash.exe");
    int most = 0;
    wait_until(
        [&] {
          int windows = 0;
          for (HWND w = FindWindowA("OmbrelSplash", nullptr); w != nullptr;
               w = FindWindowExA(nullptr, w, "OmbrelSplash", nullptr)) {
            ++windows;
          }
          most = std::max(most, windows);
          for (const launched_program& start : starts) {
            if (is_running(start)) return false;
          }
          return true;
        },
        30000);
    EXPECT_EQ(most, 1) << "round " << round;
    for (launched_program& start : starts) EXPECT_EQ(wait_exit(start, 5000), 0);
    for (launched_program& start : starts) kill_program(start);
  }
}
