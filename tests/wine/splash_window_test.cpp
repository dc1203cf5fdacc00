// OmbrelSplash's win_main run in this process: what it draws of a very long
// command-line tail, its result when its window cannot be created, and its
// loop when GetMessageA fails.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "entry.h"
#include "import_seam.h"
#include "program_facts.h"
#include "splash_program.h"
#include "waits.h"
#include "window_search.h"
#include "window_skeleton.h"

namespace {

// Every text the splash draws, passed on to the system unchanged.
using text_out_function = BOOL(WINAPI*)(HDC, int, int, LPCSTR, int);
text_out_function system_text_out = nullptr;
std::vector<std::string> drawn_texts;
std::vector<int> drawn_lefts;
BOOL WINAPI record_text_out(HDC dc, int x, int y, LPCSTR text, int length) {
  drawn_texts.emplace_back(text, static_cast<size_t>(length));
  drawn_lefts.push_back(x);
  return system_text_out(dc, x, y, text, length);
}

int run_splash(const char* tail) {
  return run_bounded(
      [&] { return win_main(GetModuleHandleA(nullptr), nullptr, tail, SW_SHOWNORMAL); }, 8000);
}

// The splash leaves its window to the process end; the next run needs a
// clean thread, so the window goes (taking its class) and the quit it
// posts is taken off the queue.
void close_splash() {
  HWND window = FindWindowA(SPLASH_CLASS, nullptr);
  if (window != nullptr) DestroyWindow(window);
  UnregisterClassA(SPLASH_CLASS, GetModuleHandleA(nullptr));
  drain_queue();
}

LRESULT CALLBACK refuse_splash_window(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND && window_class(reinterpret_cast<HWND>(wparam)) == SPLASH_CLASS) {
    return 1;  // creation fails
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

// Moved to a 200 % monitor meanwhile: the system's WM_DPICHANGED, sent from
// another thread as the system sends it, with the rectangle it suggests.
RECT moved_to = {100, 80, 100 + 372, 80 + 318};
RECT window_after = {};
DWORD WINAPI move_to_200_percent(void*) {
  HWND window = nullptr;
  wait_until([&] { return (window = FindWindowA(SPLASH_CLASS, nullptr)) != nullptr; }, 5000);
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&moved_to));
  GetWindowRect(window, &window_after);
  return RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

TEST(SplashProgram, DrawsTheFirst2047CharactersOfAVeryLongTail) {
  std::string tail(10000, ' ');
  for (size_t i = 0; i < tail.size(); ++i) tail[i] = static_cast<char>('a' + (i * 7) % 26);
  system_text_out = reinterpret_cast<text_out_function>(
      replace_import("gdi32.dll", "TextOutA", reinterpret_cast<void*>(record_text_out)));
  ASSERT_NE(system_text_out, nullptr) << "this program does not import TextOutA";
  drawn_texts.clear();
  HANDLE mover = CreateThread(nullptr, 0, move_to_200_percent, nullptr, 0, nullptr);
  const int result = run_splash(tail.c_str());
  WaitForSingleObject(mover, 5000);
  CloseHandle(mover);
  replace_import("gdi32.dll", "TextOutA", reinterpret_cast<void*>(system_text_out));
  close_splash();
  EXPECT_EQ(result, 0);
  ASSERT_FALSE(drawn_texts.empty()) << "the splash never drew its text";
  for (const std::string& text : drawn_texts) EXPECT_EQ(text, tail.substr(0, 2047));
  EXPECT_TRUE(EqualRect(&window_after, &moved_to)) << "the suggested rectangle was not taken";
  EXPECT_EQ(drawn_lefts.back(), 12) << "not drawn again at 192 DPI (6 pixels in at 96)";
}

TEST(SplashProgram, EndsWithOneWhenItsWindowCannotBeCreated) {
  HHOOK hook = SetWindowsHookExA(WH_CBT, refuse_splash_window, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  const int result = run_splash("");
  UnhookWindowsHookEx(hook);
  close_splash();
  EXPECT_EQ(result, 1);
}

TEST(SplashProgram, LoopEndsWhenGetMessageFails) {
  const failed_loop ended = run_loop_with_failing_get_message([] {
    const int result = run_splash("");
    close_splash();
    return result;
  });
  EXPECT_EQ(ended.get_message_calls, 1) << "the loop went on after GetMessageA failed";
  EXPECT_EQ(ended.result, LOOP_FAILED_EXIT_CODE) << "a failed loop was reported as success";
}

}  // namespace
