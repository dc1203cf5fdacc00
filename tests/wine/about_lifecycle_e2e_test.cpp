// OmbrelAbout's start and end as other programs see them: one instance at
// a time, every way out ends with code 0 but only after the page being
// drawn, and the purchase command hands the product page to the shell.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "about_test_support.h"
#include "foreground_decoy.h"
#include "handover.h"
#include "instance.h"
#include "paths.h"
#include "processes.h"
#include "waits.h"
#include "window_search.h"

namespace {

DWORD WINAPI send_credits(void* window) {
  return run_command(static_cast<HWND>(window), IDM_CREDITS) ? 1 : 0;
}

}  // namespace

TEST(AboutLifecycleE2E, ExitCloseBoxAndCloseEachEndTheProgramWithCodeZero) {
  const UINT messages[][2] = {{WM_COMMAND, IDM_EXIT}, {WM_SYSCOMMAND, SC_CLOSE}, {WM_CLOSE, 0}};
  for (const auto& message : messages) {
    about_program about = start_about();
    ASSERT_NE(about.window, nullptr);
    EXPECT_TRUE(wait_page_complete(about.window));
    PostMessageA(about.window, message[0], message[1], 0);
    EXPECT_EQ(wait_exit(about.program, 15000), 0) << message[0];
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

  // The close box during the credits page: the page still answers its
  // command, so it ran to its end in a living program.
  about = start_about();
  ASSERT_NE(about.window, nullptr);
  ASSERT_TRUE(wait_page_complete(about.window));
  HANDLE sender = CreateThread(nullptr, 0, send_credits, about.window, 0, nullptr);
  // Under way once its heading is being typed, and not answered yet.
  ASSERT_TRUE(wait_until(
      [&] { return count_white(screen_picture(about.window), line_band(CREDITS_HEADING_ROW)) > 0; },
      PAGE_BOUND_MS));
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
}

// The shell's open command for http addresses, taken over by the recorder
// for the life of the object and then given back (Wine reads
// HKEY_CLASSES_ROOT from the machine's Software\Classes).
class web_handler_recorder {
 public:
  web_handler_recorder() : record_(temp_file("about-url")) {
    DWORD size = sizeof browser_;
    RegGetValueA(HKEY_LOCAL_MACHINE, KEY, nullptr, RRF_RT_REG_SZ, nullptr, browser_, &size);
    const std::string recorder =
        "\"" + program_path("about_url_recorder.exe") + "\" \"" + record_ + "\" \"%1\"";
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, KEY, nullptr, REG_SZ, recorder.c_str(),
                    static_cast<DWORD>(recorder.size() + 1));
    char handler[1024] = {0};
    size = sizeof handler;
    RegGetValueA(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", nullptr, RRF_RT_REG_SZ, nullptr,
                 handler, &size);
    installed_ = recorder == handler;
  }
  ~web_handler_recorder() {
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, KEY, nullptr, REG_SZ, browser_,
                    static_cast<DWORD>(std::strlen(browser_) + 1));
    DeleteFileA(record_.c_str());
  }
  bool installed() const { return installed_; }
  bool has_record() const { return read_text_file(record_).find('\n') != std::string::npos; }
  // What the recorder wrote: the address, then its start-up flags and show
  // command; empty until it has run.
  bool wait_record(std::string& address, unsigned long& flags, unsigned& show) const {
    std::string text;
    if (!wait_until(
            [&] { return (text = read_text_file(record_)).find('\n') != std::string::npos; },
            15000)) {
      return false;
    }
    const size_t line_end = text.find('\n');
    address = text.substr(0, line_end);
    return std::sscanf(text.c_str() + line_end + 1, "%lu %u", &flags, &show) == 2;
  }

 private:
  static constexpr const char* KEY = "Software\\Classes\\http\\shell\\open\\command";
  std::string record_;
  char browser_[1024] = {0};
  bool installed_ = false;
};

TEST(AboutLifecycleE2E, PurchaseHandsTheProductPageToTheShellsWebHandlerShownNormally) {
  web_handler_recorder browser;
  // Never let the real browser see the address.
  ASSERT_TRUE(browser.installed()) << "the recorder could not be installed";
  about_program about = start_about();
  ASSERT_NE(about.window, nullptr);
  PostMessageA(about.window, WM_COMMAND, IDM_PURCHASE, 0);
  std::string address;
  unsigned long flags = 0;
  unsigned show = 0;
  ASSERT_TRUE(browser.wait_record(address, flags, show)) << "the recorder did not run";
  EXPECT_EQ(address, ABOUT_PRODUCT_PAGE);
  // A browser that is not yet running shows its page as its start asks.
  EXPECT_TRUE(flags & STARTF_USESHOWWINDOW) << flags;
  EXPECT_EQ(show, static_cast<unsigned>(SW_SHOWNORMAL));
  EXPECT_TRUE(is_running(about.program)) << "ended with " << wait_exit(about.program, 0);
}

TEST(AboutLifecycleE2E, SecondStartBringsTheWindowForwardAndEndsWithoutAWindow) {
  about_program first = start_about();
  ASSERT_NE(first.window, nullptr);
  ASSERT_TRUE(wait_page_complete(first.window));
  foreground_decoy other;
  ASSERT_EQ(GetForegroundWindow(), other.window());

  // With a window of its own it would run its loop and not end.
  launched_program second = launch("OmbrelAbout.exe");
  EXPECT_EQ(wait_exit(second, 15000), 0);
  EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == first.window; }, 3000));
}

TEST(AboutLifecycleE2E, StartsWhileMinimisedWaitOrEndAtOnceAndOpenWhenTheFirstEnds) {
  about_program first = start_about();
  ASSERT_NE(first.window, nullptr);
  ASSERT_TRUE(wait_page_complete(first.window));
  PostMessageA(first.window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(wait_until([&] { return IsIconic(first.window) != FALSE; }, 5000));
  foreground_decoy other;  // a minimised foreground window is not waited on
  ASSERT_NE(GetForegroundWindow(), first.window);

  launched_program second = launch("OmbrelAbout.exe");
  wait_until([] { return false; }, 1500);
  EXPECT_TRUE(is_running(second)) << "the second start did not wait";
  launched_program third = launch("OmbrelAbout.exe");
  EXPECT_EQ(wait_exit(third, 10000), 0) << "the third start did not end at once";
  EXPECT_TRUE(is_running(second));

  PostMessageA(first.window, WM_CLOSE, 0, 0);
  EXPECT_EQ(wait_exit(first.program, 15000), 0);
  EXPECT_NE(wait_for_window(ABOUT_CLASS, second.info.dwProcessId, 20000), nullptr)
      << "the waiting start still hangs after the first ended";
}

// A start that waited on a window which then vanished becomes the running
// instance: the next start must wait on its window in turn, not end at
// once on a mutex left behind.
namespace {

// Whether another process holds the mutex through which starts of the
// program take turns (one that ended leaves it abandoned, and free).
bool start_turn_held_by_another_process(const char* class_name) {
  const std::string name = std::string(class_name) + INSTANCE_TURN_SUFFIX;
  HANDLE turn = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
  if (turn == nullptr) return false;
  const DWORD waited = WaitForSingleObject(turn, 0);
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) ReleaseMutex(turn);
  CloseHandle(turn);
  return waited == WAIT_TIMEOUT;
}

}  // namespace

TEST(AboutLifecycleE2E, AStartThatTookOverIsWaitedOnByTheNextStart) {
  const auto one_about_window = [] { return count_windows(ABOUT_CLASS) == 1; };
  about_program first = start_about();
  ASSERT_NE(first.window, nullptr);
  ASSERT_TRUE(wait_page_complete(first.window));
  PostMessageA(first.window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(wait_until([&] { return IsIconic(first.window) != FALSE; }, 5000));
  foreground_decoy other;

  launched_program second = launch("OmbrelAbout.exe");
  wait_until([] { return false; }, 1500);
  ASSERT_TRUE(is_running(second)) << "the second start did not wait";
  EXPECT_TRUE(one_about_window());
  PostMessageA(first.window, WM_CLOSE, 0, 0);
  EXPECT_EQ(wait_exit(first.program, 15000), 0);
  HWND taken_over = wait_for_window(ABOUT_CLASS, second.info.dwProcessId, 20000);
  ASSERT_NE(taken_over, nullptr) << "the waiting start did not open its window";
  ASSERT_TRUE(wait_page_complete(taken_over));
  EXPECT_TRUE(one_about_window());
  // It took the start turn over with the window, so starts at the same
  // moment wait for it rather than open windows of their own.
  EXPECT_TRUE(start_turn_held_by_another_process(ABOUT_CLASS));

  // The user turns away from the new window and starts the program again.
  PostMessageA(taken_over, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(wait_until([&] { return IsIconic(taken_over) != FALSE; }, 5000));
  ASSERT_TRUE(other.take_foreground());
  launched_program third = launch("OmbrelAbout.exe");
  wait_until([] { return false; }, 3000);
  EXPECT_TRUE(is_running(third)) << "the third start ended without waiting on the window";
  EXPECT_TRUE(IsIconic(taken_over)) << "the window came forward before the user chose it";
  EXPECT_TRUE(one_about_window());

  // The user restores the flashing window: the waiting start ends.
  PostMessageA(taken_over, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(wait_exit(third, 15000), 0);
  EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == taken_over; }, 3000));
  EXPECT_TRUE(is_running(second));
  EXPECT_TRUE(one_about_window());
}

// The first window minimised with a second start waiting on it; the first
// closed and a third start at once: whichever of the two opens the window,
// the other brings it forward at once, and two windows are never up.
TEST(AboutLifecycleE2E, AHandOverRaceNeverShowsTwoWindows) {
  const std::string folder = wine_path(std::getenv("OMBREL_BIN_DIR"));
  launch_options in_folder;
  in_folder.working_dir = folder.c_str();  // where the picture lies
  for (int round = 0; round < 5; ++round) {
    const handover_round r = run_handover_round("OmbrelAbout.exe", ABOUT_CLASS, in_folder);
    std::printf(
        "round %d: most windows at once %d, late starts ended %d, windows %d (of start %d), "
        "first end after %lu ms\n",
        round, r.most_windows, r.late_starts_ended, r.late_windows, r.window_start,
        r.ended_after_ms);
    ASSERT_TRUE(r.set_up) << "round " << round << ": no start waited on the minimised window";
    EXPECT_EQ(r.most_windows, 1) << "round " << round;
    EXPECT_EQ(r.late_starts_ended, 1) << "round " << round;
    EXPECT_EQ(r.late_windows, 1) << "round " << round;
    EXPECT_LT(r.ended_after_ms, 5000u) << "round " << round << ": the other start lingered";
  }
}

// Sends WM_NULL to the About window every 250 ms, as the system's check for
// a hung window does, until told to stop; counts the sends not answered
// within 200 ms.
struct hung_window_probe {
  HWND window;
  volatile LONG stop;
  int asked;
  int unanswered;
};

DWORD WINAPI probe_every_quarter_second(void* argument) {
  hung_window_probe& probe = *static_cast<hung_window_probe*>(argument);
  for (const DWORD started = GetTickCount(); !InterlockedCompareExchange(&probe.stop, 0, 0);) {
    DWORD_PTR answer = 0;
    ++probe.asked;
    if (!SendMessageTimeoutA(probe.window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &answer)) {
      ++probe.unanswered;
    }
    Sleep(250 - (GetTickCount() - started) % 250);  // the probe's pace, not a wait for anything
  }
  return 0;
}

TEST(AboutLifecycleE2E, CommandsSentDuringAPageRunAfterItInTheOrderTheyCame) {
  // While the credits page is drawn, another program's commands are
  // answered at once but held: a Purchase, then the version page, then the
  // credits page again, each run after the page in the order sent. All the
  // while the window answers another program's message every time.
  web_handler_recorder browser;
  ASSERT_TRUE(browser.installed()) << "the recorder could not be installed";
  about_program about = start_about();
  ASSERT_NE(about.window, nullptr);
  ASSERT_TRUE(wait_page_complete(about.window));
  HWND picture = FindWindowExA(about.window, nullptr, "Static", nullptr);
  const RECT heading = line_band(CREDITS_HEADING_ROW);
  const RECT last = line_band(CREDITS_LAST_ROW);
  const auto typed = [&](const RECT& band) {
    return count_white(screen_picture(about.window), band) > 0;
  };
  hung_window_probe probe = {about.window, 0, 0, 0};
  HANDLE prober = CreateThread(nullptr, 0, probe_every_quarter_second, &probe, 0, nullptr);
  PostMessageA(about.window, WM_COMMAND, IDM_CREDITS, 0);
  // The heading is typed click by click in the page's first second: the
  // commands go in while it is typed.
  ASSERT_TRUE(wait_until([&] { return typed(heading); }, PAGE_BOUND_MS)) << "no credits page";
  EXPECT_TRUE(run_command(about.window, IDM_PURCHASE));
  EXPECT_TRUE(run_command(about.window, IDM_VERSION));
  EXPECT_TRUE(run_command(about.window, IDM_CREDITS));
  // All were answered at once, held, while the page went on: its last line
  // is drawn only after them.
  ASSERT_FALSE(typed(last)) << "the page had ended: nothing was held";
  // Then each in turn: the first credits page at its end (its last names
  // in; the page after it clears the last line at once) with no product
  // page opened before, the version page (its first line is one the credits
  // leave empty), then the credits page begun again, and complete.
  const RECT version_first = line_band(VERSION_PRODUCT_ROW);
  RECT last_names;
  const RECT last_but_one = line_band(CREDITS_LAST_ROW - 1);
  const RECT last_but_two = line_band(CREDITS_LAST_ROW - 2);
  UnionRect(&last_names, &last_but_two, &last_but_one);
  int stage = 0;
  bool opened_inside_page = false;
  EXPECT_TRUE(wait_until(
      [&] {
        const pixel_picture page = screen_picture(about.window);
        const bool has_heading = count_white(page, heading) > 0;
        const bool has_version = count_white(page, version_first) > 0;
        opened_inside_page = opened_inside_page || (stage == 0 && browser.has_record());
        if (stage == 0 && count_white(page, last_names) > 0) stage = 1;
        if (stage == 1 && has_version && !has_heading) stage = 2;
        if (stage == 2 && has_heading && !has_version) stage = 3;
        if (stage == 3 && count_white(page, last) > 0) stage = 4;
        return stage == 4;
      },
      3 * PAGE_BOUND_MS))
      << "stopped at stage " << stage << " of 4";
  // The last line white is the last level of the last fade: all three
  // held commands have run, and the credits page is what stays.
  InterlockedExchange(&probe.stop, 1);
  EXPECT_EQ(WaitForSingleObject(prober, 5000), WAIT_OBJECT_0);
  CloseHandle(prober);
  std::printf("WM_NULL sent every 250 ms through the pages: %d of %d unanswered within 200 ms\n",
              probe.unanswered, probe.asked);
  EXPECT_GE(probe.asked, 8) << "the pages take seconds";
  EXPECT_EQ(probe.unanswered, 0);
  const pixel_picture end = screen_picture(about.window);
  EXPECT_FALSE(IsWindowVisible(picture));
  EXPECT_GT(count_white(end, heading), 0);
  EXPECT_GT(count_white(end, last), 0);
  EXPECT_FALSE(opened_inside_page) << "the product page opened while the credits page was drawn";
  std::string address;
  unsigned long flags = 0;
  unsigned show = 0;
  ASSERT_TRUE(browser.wait_record(address, flags, show)) << "the product page never opened";
  EXPECT_EQ(address, ABOUT_PRODUCT_PAGE);
  PostMessageA(about.window, WM_COMMAND, IDM_EXIT, 0);
  EXPECT_EQ(wait_exit(about.program, PAGE_BOUND_MS), 0);
}
