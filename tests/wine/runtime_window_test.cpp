// The window, font and sound utilities on real windows under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "display_scale.h"
#include "placement.h"
#include "pool.h"
#include "sound.h"
#include "waits.h"
#include "window_utils.h"

namespace {

const char TEST_CLASS[] = "OmbrelRuntimeTestWindow";

void register_test_class(HBRUSH background) {
  UnregisterClassA(TEST_CLASS, GetModuleHandleA(nullptr));
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = background;
  wc.lpszClassName = TEST_CLASS;
  ASSERT_NE(RegisterClassA(&wc), 0);
}

HWND make_window(int width, int height, DWORD style = WS_OVERLAPPEDWINDOW) {
  return CreateWindowExA(0, TEST_CLASS, "test", style, 50, 60, width, height, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// Gives the window manager 200 ms to answer, for a check that something
// does not happen (there is nothing to wait for).
void pump() {
  MSG msg;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

class WindowUtils : public testing::Test {
 protected:
  void SetUp() override { register_test_class(reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)); }
  void TearDown() override {
    for (HWND w : windows) DestroyWindow(w);
    UnregisterClassA(TEST_CLASS, GetModuleHandleA(nullptr));
  }
  HWND track(HWND w) {
    windows.push_back(w);
    return w;
  }
  // A visible window of the size, made after another visible one (returned
  // in *foreground) which is then made the foreground window.
  HWND behind_foreground(int width, int height, int foreground_width, int foreground_height,
                         HWND* foreground) {
    *foreground =
        track(make_window(foreground_width, foreground_height, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    HWND w = track(make_window(width, height, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    // The window manager activates the newer window a moment after the
    // system does: the foreground is taken again until it stays put.
    const HWND wanted = *foreground;
    for (int attempt = 0; attempt < 3; ++attempt) {
      SetForegroundWindow(wanted);
      if (wait_until([&] { return GetActiveWindow() == wanted; }, 3000) &&
          !wait_until([&] { return GetActiveWindow() != wanted; }, 300)) {
        break;
      }
    }
    return w;
  }
  std::vector<HWND> windows;
};

TEST_F(WindowUtils, CenterInWorkAreaPlacesRaisesAndActivates) {
  HWND other = nullptr;
  HWND w = behind_foreground(300, 200, 100, 100, &other);
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  center_in_work_area(w);
  const int_point expected =
      centre_in_area({work.left, work.top, work.right, work.bottom}, {0, 0, 300, 200});
  RECT r;
  // The window manager confirms the move and the activation a moment later.
  wait_until(
      [&] {
        GetWindowRect(w, &r);
        return r.left == expected.x && r.top == expected.y && GetActiveWindow() == w;
      },
      3000);
  EXPECT_EQ(r.left, expected.x);
  EXPECT_EQ(r.top, expected.y);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 200);
  EXPECT_EQ(GetActiveWindow(), w);
}

TEST_F(WindowUtils, CenterOnScreenCountsTheCaptionAndKeepsZOrder) {
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  // The system's own caption height (19 under Wine 8, 26 under Wine 10) is
  // counted in although the popup has none: 295 or 291.
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  ASSERT_GT(caption, 0);
  HWND popup = track(make_window(186, 159, WS_POPUP));
  center_on_screen(popup);
  RECT r;
  GetWindowRect(popup, &r);
  EXPECT_EQ(r.left, 419);
  EXPECT_EQ(r.top, (768 - (159 + caption)) / 2);
  EXPECT_EQ(r.right - r.left, 186);
  EXPECT_EQ(r.bottom - r.top, 159);
  // Hidden windows stay hidden: no show, no activation.
  EXPECT_FALSE(IsWindowVisible(popup));
}

TEST_F(WindowUtils, MakeTopmostNeitherMovesNorActivates) {
  HWND active = nullptr;
  HWND w = behind_foreground(220, 50, 120, 80, &active);
  RECT before;
  GetWindowRect(w, &before);
  HWND active_before = GetActiveWindow();
  ASSERT_NE(active_before, nullptr);
  EXPECT_NE(make_topmost(w), FALSE);
  pump();
  RECT after;
  GetWindowRect(w, &after);
  EXPECT_TRUE(GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongPtrA(active, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(GetActiveWindow(), active_before);
}

TEST_F(WindowUtils, WindowTextRoundTripsThroughThePool) {
  HWND w = track(make_window(100, 100));
  EXPECT_NE(set_window_text(w, "00:01:02"), FALSE);
  int before = pool_index();
  EXPECT_STREQ(get_window_text(w), "00:01:02");
  EXPECT_EQ(pool_index(), (before + 1) % POOL_SLOTS);

  set_window_text(w, "");
  before = pool_index();
  const char* empty = get_window_text(w);
  EXPECT_STREQ(empty, "");
  EXPECT_EQ(pool_index(), (before + 1) % POOL_SLOTS);
}

COLORREF screen_pixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return c;
}

TEST_F(WindowUtils, BackgroundColourReplacesTheClassBrushAndRepaints) {
  HWND w = track(make_window(200, 150, WS_POPUP | WS_VISIBLE));
  SetWindowPos(w, HWND_TOPMOST, 300, 300, 200, 150, SWP_SHOWWINDOW);
  wait_until([] { return screen_pixel(400, 375) == GetSysColor(COLOR_BTNFACE); }, 3000);
  // The class holds a system-colour value: handing it to DeleteObject is
  // harmless, and the window comes back black.
  set_background_colour(w, RGB(0, 0, 0));
  UpdateWindow(w);
  wait_until([] { return screen_pixel(400, 375) == RGB(0, 0, 0); }, 3000);
  const HBRUSH first = reinterpret_cast<HBRUSH>(GetClassLongPtrA(w, GCLP_HBRBACKGROUND));
  LOGBRUSH brush = {};
  ASSERT_NE(GetObjectA(first, sizeof brush, &brush), 0);
  EXPECT_EQ(brush.lbColor, RGB(0, 0, 0));
  EXPECT_EQ(screen_pixel(400, 375), RGB(0, 0, 0));

  set_background_colour(w, RGB(0, 128, 255));
  UpdateWindow(w);
  wait_until([] { return screen_pixel(400, 375) == RGB(0, 128, 255); }, 3000);
  EXPECT_EQ(GetObjectType(first), 0u) << "the replaced brush is deleted";
  EXPECT_EQ(screen_pixel(400, 375), RGB(0, 128, 255));
}

TEST(PointFont, HeightFollowsTheScreenResolution) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  for (int points : {8, 11, 12}) {
    HFONT font = create_point_font("Arial", points);
    ASSERT_NE(font, nullptr);
    LOGFONTA lf = {};
    GetObjectA(font, sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, point_font_height(points, dpi)) << points << " points";
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(lf.lfOutPrecision, OUT_TT_PRECIS);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    DeleteObject(font);
  }
}

// Text for a window at 150 % on a 100 % system: a scalable face asked for,
// at one and a half times the stock font's height; back at the system's
// DPI, the stock font itself.
TEST(DisplayFont, ScalableFaceAtAnotherDpiAndTheStockFontAtItsOwn) {
  HGDIOBJ stock = GetStockObject(SYSTEM_FONT);
  HDC screen = GetDC(nullptr);
  ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96) << "the bench's system DPI";
  TEXTMETRICA at_96 = {}, at_144 = {};
  GetTextMetricsA(screen, &at_96);
  take_dpi_change(nullptr, MAKEWPARAM(144, 144), 0);
  LOGFONTA asked = {};
  ASSERT_NE(GetObjectA(rebuild_display_font(screen), sizeof asked, &asked), 0);
  EXPECT_EQ(asked.lfOutPrecision, OUT_TT_ONLY_PRECIS);
  EXPECT_STRNE(asked.lfFaceName, "System");
  GetTextMetricsA(screen, &at_144);
  EXPECT_NEAR(at_144.tmHeight, at_96.tmHeight * 1.5, 1.0);
  take_dpi_change(nullptr, MAKEWPARAM(96, 96), 0);
  EXPECT_EQ(rebuild_display_font(screen), stock);
  ReleaseDC(nullptr, screen);
}

const char* last_requested = nullptr;
int requests = 0;
void record_request(HMODULE, LPCSTR id) {
  last_requested = id;
  ++requests;
}

TEST(Sound, MissingResourceReturnsAtOnceWithoutSound) {
  set_sound_observer(record_request);
  requests = 0;
  const DWORD start = GetTickCount();
  play_wav_resource(nullptr, MAKEINTRESOURCEA(4242));
  EXPECT_LT(GetTickCount() - start, 100u);
  EXPECT_EQ(requests, 1);
  EXPECT_EQ(last_requested, MAKEINTRESOURCEA(4242));
  set_sound_observer(nullptr);
}

}  // namespace
