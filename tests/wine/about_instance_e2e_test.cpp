// One OmbrelAbout at a time: further starts bring the running window
// forward, wait on it while it is minimised, or end at once while another
// start already waits.
#include <gtest/gtest.h>

#include "about_e2e_support.h"

namespace {

class AboutInstanceE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    first_ = start_about();
    ASSERT_TRUE(first_.started);
    window_ = wait_about_window(first_);
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(wait_page_complete(window_));
  }
  void TearDown() override { kill_program(first_); }

  launched_program first_;
  HWND window_ = nullptr;
};

LRESULT CALLBACK plain_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}

// Keeps this thread's windows answering for a while.
void pump_for(DWORD ms) {
  wait_until([] { return false; }, ms);
}

// A window of this process that takes the foreground, as another program
// the user turned to would.
HWND make_foreground_window() {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = plain_proc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "AboutInstanceOther";
  RegisterClassA(&window_class);
  HWND other = CreateWindowExA(0, "AboutInstanceOther", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               0, 0, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(other);
  wait_until([&] { return GetForegroundWindow() == other; }, 3000);
  return other;
}

}  // namespace

TEST_F(AboutInstanceE2E, SecondStartBringsTheRunningWindowForwardAndEndsWithoutAWindow) {
  HWND other = make_foreground_window();
  ASSERT_EQ(GetForegroundWindow(), other);

  launched_program second = start_about();
  ASSERT_TRUE(second.started);
  bool second_made_window = false;
  wait_until([&] {
    if (about_windows_of(second.info.dwProcessId) > 0) second_made_window = true;
    return !is_running(second);
  }, 15000);
  EXPECT_FALSE(second_made_window);
  EXPECT_EQ(wait_exit(second, 1000), 0);
  kill_program(second);
  EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == window_; }, 3000))
      << "the running window was not brought forward";
  EXPECT_TRUE(is_running(first_));
  DestroyWindow(other);
}

TEST_F(AboutInstanceE2E, StartsWhileMinimisedWaitEndAtOnceOrOpenWhenTheFirstEnds) {
  PostMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(wait_until([&] { return IsIconic(window_) != FALSE; }, 5000));
  // A minimised window that is still the foreground window is not waited
  // on: the user has turned to another window.
  HWND other = make_foreground_window();
  ASSERT_NE(GetForegroundWindow(), window_);

  // The second start waits for the user to activate the minimised window.
  launched_program second = start_about();
  ASSERT_TRUE(second.started);
  pump_for(1500);
  EXPECT_TRUE(is_running(second)) << "the second start did not wait";
  EXPECT_EQ(about_windows_of(second.info.dwProcessId), 0);

  // While it waits, a third start ends at once.
  launched_program third = start_about();
  ASSERT_TRUE(third.started);
  EXPECT_EQ(wait_exit(third, 10000), 0);
  kill_program(third);
  EXPECT_TRUE(is_running(second));

  // The first instance ends: the waiting start stops waiting and opens its
  // own window.
  PostMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_EQ(wait_exit(first_, 15000), 0);
  EXPECT_NE(wait_for_window(ABOUT_CLASS, second.info.dwProcessId, ABOUT_START_MS), nullptr)
      << "the waiting start hangs after the first instance ended";
  kill_program(second);
  DestroyWindow(other);
}

TEST_F(AboutInstanceE2E, WaitingStartEndsWhenTheMinimisedWindowIsActivated) {
  PostMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(wait_until([&] { return IsIconic(window_) != FALSE; }, 5000));
  HWND other = make_foreground_window();
  ASSERT_NE(GetForegroundWindow(), window_);
  launched_program second = start_about();
  ASSERT_TRUE(second.started);
  pump_for(1500);
  ASSERT_TRUE(is_running(second));

  // What the user does with the flashing taskbar button.
  PostMessageA(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
  wait_until([&] { return IsIconic(window_) == FALSE; }, 5000);
  SetForegroundWindow(window_);
  EXPECT_EQ(wait_exit(second, 15000), 0);
  EXPECT_EQ(about_windows_of(second.info.dwProcessId), 0);
  kill_program(second);
  EXPECT_TRUE(is_running(first_));
  DestroyWindow(other);
}
