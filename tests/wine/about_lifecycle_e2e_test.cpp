// OmbrelAbout's start and end as other programs see them: one instance at
// a time, every way out ends with code 0 but only after the page being
// drawn, and the purchase command hands the product page to the shell.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "about_test_support.h"

namespace {

LRESULT CALLBACK plain_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}

// A window of this process in the foreground: the user has turned away.
HWND take_foreground() {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = plain_proc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "AboutLifecycleOther";
  RegisterClassA(&window_class);
  HWND other = CreateWindowExA(0, "AboutLifecycleOther", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               0, 0, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(other);
  wait_until([&] { return GetForegroundWindow() == other; }, 3000);
  return other;
}

DWORD WINAPI send_credits(void* window) {
  return run_command(static_cast<HWND>(window), IDM_CREDITS_ID) ? 1 : 0;
}

}  // namespace

TEST(AboutLifecycleE2E, ExitCloseBoxAndCloseEachEndTheProgramWithCodeZero) {
  const UINT messages[][2] = {{WM_COMMAND, 1003}, {WM_SYSCOMMAND, SC_CLOSE}, {WM_CLOSE, 0}};
  for (const auto& message : messages) {
    about_program about = start_about();
    ASSERT_NE(about.window, nullptr);
    EXPECT_TRUE(wait_page_complete(about.window));
    PostMessageA(about.window, message[0], message[1], 0);
    EXPECT_EQ(wait_exit(about.program, 15000), 0) << message[0];
    kill_program(about.program);
  }
}

TEST(AboutLifecycleE2E, CloseDuringAPageTakesEffectOnlyWhenThePageIsComplete) {
  about_program about = start_about();
  ASSERT_NE(about.window, nullptr);
  // Posted as soon as the window exists: the first page is drawn first.
  DWORD asked_at = GetTickCount();
  PostMessageA(about.window, WM_CLOSE, 0, 0);
  EXPECT_EQ(wait_exit(about.program, PAGE_BOUND_MS), 0);
  EXPECT_GE(GetTickCount() - asked_at, 400u) << "three fades take 0.75 s";
  kill_program(about.program);

  // The close box during the credits page: the page still answers its
  // command, so it ran to its end in a living program.
  about = start_about();
  ASSERT_NE(about.window, nullptr);
  ASSERT_TRUE(wait_page_complete(about.window));
  HANDLE sender = CreateThread(nullptr, 0, send_credits, about.window, 0, nullptr);
  Sleep(300);
  ASSERT_EQ(WaitForSingleObject(sender, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  asked_at = GetTickCount();
  PostMessageA(about.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(wait_exit(about.program, PAGE_BOUND_MS), 0);
  EXPECT_GE(GetTickCount() - asked_at, 2000u) << "eleven fades alone take 2.8 s";
  DWORD page_answered = 0;
  WaitForSingleObject(sender, PAGE_BOUND_MS);
  GetExitCodeThread(sender, &page_answered);
  CloseHandle(sender);
  EXPECT_EQ(page_answered, 1u) << "the program ended in the middle of the page";
  kill_program(about.program);
}

TEST(AboutLifecycleE2E, PurchaseHandsTheProductPageToTheShellsWebHandler) {
  // A recorder takes the browser's place for http addresses (Wine reads
  // HKEY_CLASSES_ROOT from the machine's Software\Classes).
  const char key[] = "Software\\Classes\\http\\shell\\open\\command";
  char browser[1024] = {0};
  DWORD size = sizeof browser;
  RegGetValueA(HKEY_LOCAL_MACHINE, key, nullptr, RRF_RT_REG_SZ, nullptr, browser, &size);
  const std::string record = temp_file("about-url");
  const std::string recorder =
      "\"" + program_path("about_url_recorder.exe") + "\" \"" + record + "\" \"%1\"";
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, key, nullptr, REG_SZ, recorder.c_str(),
                  static_cast<DWORD>(recorder.size() + 1));
  char handler[1024] = {0};
  size = sizeof handler;
  RegGetValueA(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", nullptr, RRF_RT_REG_SZ, nullptr,
               handler, &size);

  // Never let the real browser see the address.
  if (recorder == handler) {
    about_program about = start_about();
    ASSERT_NE(about.window, nullptr);
    PostMessageA(about.window, WM_COMMAND, 1001, 0);
    std::string opened;
    wait_until([&] { return !(opened = read_text_file(record)).empty(); }, 15000);
    EXPECT_EQ(opened, "http://www.ombrel-software.example/rezizazuriro/");
    EXPECT_TRUE(is_running(about.program));
    kill_program(about.program);
  }
  RegSetKeyValueA(HKEY_LOCAL_MACHINE, key, nullptr, REG_SZ, browser,
                  static_cast<DWORD>(std::strlen(browser) + 1));
  DeleteFileA(record.c_str());
  EXPECT_EQ(std::string(handler), recorder) << "the recorder could not be installed";
}

TEST(AboutLifecycleE2E, SecondStartBringsTheWindowForwardAndEndsWithoutAWindow) {
  about_program first = start_about();
  ASSERT_NE(first.window, nullptr);
  ASSERT_TRUE(wait_page_complete(first.window));
  HWND other = take_foreground();
  ASSERT_EQ(GetForegroundWindow(), other);

  // With a window of its own it would run its loop and not end.
  launched_program second = launch("OmbrelAbout.exe");
  EXPECT_EQ(wait_exit(second, 15000), 0);
  EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == first.window; }, 3000));
  kill_program(second);
  kill_program(first.program);
  DestroyWindow(other);
}

TEST(AboutLifecycleE2E, StartsWhileMinimisedWaitOrEndAtOnceAndOpenWhenTheFirstEnds) {
  about_program first = start_about();
  ASSERT_NE(first.window, nullptr);
  ASSERT_TRUE(wait_page_complete(first.window));
  PostMessageA(first.window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(wait_until([&] { return IsIconic(first.window) != FALSE; }, 5000));
  HWND other = take_foreground();  // a minimised foreground window is not waited on
  ASSERT_NE(GetForegroundWindow(), first.window);

  launched_program second = launch("OmbrelAbout.exe");
  wait_until([] { return false; }, 1500);
  EXPECT_TRUE(is_running(second)) << "the second start did not wait";
  launched_program third = launch("OmbrelAbout.exe");
  EXPECT_EQ(wait_exit(third, 10000), 0) << "the third start did not end at once";
  EXPECT_TRUE(is_running(second));

  PostMessageA(first.window, WM_CLOSE, 0, 0);
  EXPECT_EQ(wait_exit(first.program, 15000), 0);
  EXPECT_NE(wait_for_window("OmbrelAbout", second.info.dwProcessId, 20000), nullptr)
      << "the waiting start still hangs after the first ended";
  kill_program(second);
  kill_program(third);
  DestroyWindow(other);
}

TEST(AboutLifecycleE2E, APageCommandSentDuringAPageRunsAfterIt) {
  // While a click plays, the sound system's own calls let another
  // program's sent message in; a page asked for then must not be drawn
  // into the middle of the page being drawn.
  about_program about = start_about();
  ASSERT_NE(about.window, nullptr);
  ASSERT_TRUE(wait_page_complete(about.window));
  HWND picture = FindWindowExA(about.window, nullptr, "Static", nullptr);
  PostMessageA(about.window, WM_COMMAND, IDM_CREDITS_ID, 0);
  // The heading is typed click by click in the page's first second; the
  // version page is asked for while the clicks play.
  Sleep(300);
  const RECT heading = line_band(2);
  EXPECT_TRUE(run_command(about.window, IDM_VERSION_ID));
  // The version page in the end: the picture back, no heading, no names,
  // and so for two seconds on end (a version page drawn inside the credits
  // page is clean only until the next letter is typed over it).
  DWORD clean_since = 0;
  EXPECT_TRUE(wait_until(
      [&] {
        const page_picture page = screen_picture(about.window);
        const bool clean = IsWindowVisible(picture) && count_white(page, heading) == 0 &&
                           count_white(page, line_band(13)) == 0;
        if (!clean) clean_since = 0;
        if (clean && clean_since == 0) clean_since = GetTickCount();
        return clean && GetTickCount() - clean_since >= 2000;
      },
      PAGE_BOUND_MS))
      << "credits text left on the version page";
  PostMessageA(about.window, WM_COMMAND, 1003, 0);
  EXPECT_EQ(wait_exit(about.program, PAGE_BOUND_MS), 0);
  kill_program(about.program);
}
