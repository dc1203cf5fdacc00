// OmbrelSplash started as another program would start it, observed from
// outside: its window, the picture on the screen, and how it ends.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "harness.h"

namespace {

const char SPLASH_EXE[] = "OmbrelSplash.exe";
const char SPLASH_CLASS[] = "OmbrelSplash";

// The splash picture as stored in the program: 8-bit palette DIB.
struct picture {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // top-down
  COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

picture load_picture_resource() {
  picture p;
  HMODULE module = LoadLibraryExA(program_path(SPLASH_EXE).c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return p;
  HRSRC found = FindResourceA(module, "bmIMAGE", MAKEINTRESOURCEA(2));  // RT_BITMAP
  if (found != nullptr) {
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
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

// The screen inside a rectangle, top-down, as COLORREFs.
std::vector<COLORREF> grab_screen(int left, int top, int width, int height) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
  GdiFlush();
  std::vector<COLORREF> out;
  const auto* px = static_cast<const unsigned char*>(bits);
  for (int i = 0; i < width * height; ++i) out.push_back(RGB(px[4 * i + 2], px[4 * i + 1], px[4 * i]));
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return out;
}

// Pixels of the window area that differ from the stored picture, counted in
// the picture's upper part and along its bottom strip (where text goes).
struct picture_difference {
  int upper = 0;
  int bottom_strip = 0;
};

picture_difference compare_with_screen(const picture& p, int left, int top) {
  picture_difference d;
  const std::vector<COLORREF> shot = grab_screen(left, top, p.width, p.height);
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      if (shot[static_cast<size_t>(y * p.width + x)] == p.at(x, y)) continue;
      if (y < p.height - 30) ++d.upper;
      else ++d.bottom_strip;
    }
  }
  return d;
}

// Launches the splash and waits until its window is visible, checking on
// every look that it never shows anywhere but its centred place.
struct shown_splash {
  launched_program program;
  HWND window = nullptr;
  bool seen_elsewhere = false;
};

shown_splash launch_and_wait_visible(const launch_options& options = {}) {
  shown_splash s;
  s.program = launch(SPLASH_EXE, options);
  wait_until(
      [&] {
        if (s.window == nullptr) s.window = wait_for_window(SPLASH_CLASS, s.program.info.dwProcessId, 0);
        if (s.window == nullptr || !IsWindowVisible(s.window)) return !is_running(s.program);
        RECT r;
        GetWindowRect(s.window, &r);
        if (r.left != 419 || r.top != 295) s.seen_elsewhere = true;
        return true;
      },
      10000);
  return s;
}

TEST(Splash, WindowIsACentredBorderlessPopupNeverSeenAt500) {
  shown_splash s = launch_and_wait_visible();
  ASSERT_NE(s.window, nullptr);
  EXPECT_FALSE(s.seen_elsewhere);
  EXPECT_EQ(window_class(s.window), SPLASH_CLASS);
  EXPECT_EQ(window_text(s.window), "Ombrel");
  const LONG_PTR style = GetWindowLongPtrA(s.window, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_SYSMENU));
  EXPECT_FALSE(GetWindowLongPtrA(s.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r;
  GetWindowRect(s.window, &r);
  EXPECT_EQ(r.left, 419);
  EXPECT_EQ(r.top, 295);
  EXPECT_EQ(r.right - r.left, 186);
  EXPECT_EQ(r.bottom - r.top, 159);
  EXPECT_EQ(wait_exit(s.program, 5000), 0);
}

TEST(Splash, ShowsThePictureAndNoTextForAnEmptyTail) {
  const picture p = load_picture_resource();
  ASSERT_EQ(p.width, 186);
  ASSERT_EQ(p.height, 159);
  shown_splash s = launch_and_wait_visible();
  ASSERT_NE(s.window, nullptr);
  picture_difference d;
  EXPECT_TRUE(wait_until(
      [&] {
        d = compare_with_screen(p, 419, 295);
        return d.upper == 0 && d.bottom_strip == 0;
      },
      800))
      << d.upper << " picture pixels and " << d.bottom_strip << " text-strip pixels differ";
  EXPECT_EQ(wait_exit(s.program, 5000), 0);
}

TEST(Splash, DrawsItsTailAsTextInsideThePicture) {
  const picture p = load_picture_resource();
  ASSERT_EQ(p.width, 186);
  launch_options options;
  options.arguments = "Loading Act One";
  shown_splash s = launch_and_wait_visible(options);
  ASSERT_NE(s.window, nullptr);
  picture_difference d;
  EXPECT_TRUE(wait_until(
      [&] {
        d = compare_with_screen(p, 419, 295);
        return d.upper == 0 && d.bottom_strip > 40;
      },
      800))
      << "text pixels in the bottom strip: " << d.bottom_strip << ", elsewhere: " << d.upper;
  EXPECT_EQ(wait_exit(s.program, 5000), 0);
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
  SetCursorPos(419 + 90, 295 + 60);
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof(INPUT));
  PostMessageA(s.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(90, 60));
  PostMessageA(s.window, WM_LBUTTONUP, 0, MAKELPARAM(90, 60));
  PostMessageA(s.window, WM_RBUTTONUP, 0, MAKELPARAM(90, 60));
  Sleep(150);
  EXPECT_TRUE(is_running(s.program)) << "a click ended the splash";
  EXPECT_EQ(wait_exit(s.program, 5000), 0);
  const DWORD lasted = GetTickCount() - shown_at;
  EXPECT_GE(lasted, 400u);
  EXPECT_LT(lasted, 3000u);
}

TEST(Splash, Command101EndsItAtOnceAndOtherCommandsDoNot) {
  shown_splash s = launch_and_wait_visible();
  ASSERT_NE(s.window, nullptr);
  // Sent synchronously: when it returns, the command has been handled.
  SendMessageTimeoutA(s.window, WM_COMMAND, 102, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
  SendMessageTimeoutA(s.window, WM_COMMAND, MAKEWPARAM(1, 0), 0, SMTO_ABORTIFHUNG, 2000, nullptr);
  Sleep(100);
  ASSERT_TRUE(is_running(s.program)) << "command 102 ended the splash";
  const DWORD sent_at = GetTickCount();
  SendMessageTimeoutA(s.window, WM_COMMAND, 101, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
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
  HWND decoy = CreateWindowExA(0, "STATIC", "decoy", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                               150, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  shown_splash first = launch_and_wait_visible();
  ASSERT_NE(first.window, nullptr);
  SetForegroundWindow(decoy);
  launched_program second = launch(SPLASH_EXE);
  const int second_code = wait_exit(second, 5000);
  const bool first_still_running = is_running(first.program);
  EXPECT_EQ(second_code, 0);
  EXPECT_EQ(wait_for_window(SPLASH_CLASS, second.info.dwProcessId, 0), nullptr);
  if (first_still_running) {
    EXPECT_EQ(GetForegroundWindow(), first.window);
  }
  EXPECT_EQ(wait_exit(first.program, 5000), 0);
  DestroyWindow(decoy);
}

}  // namespace

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
