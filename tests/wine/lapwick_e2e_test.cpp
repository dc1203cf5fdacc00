// Lapwick.exe started as another program would start it, driven through
// window messages and watched from outside: its window, its title, the
// chimes it plays (read from its winmm trace), its boxes and its end.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "caption_metrics.h"
#include "display_dpi.h"
#include "paths.h"
#include "planted_dlls.h"
#include "processes.h"
#include "program_facts.h"
#include "stopwatch_clock.h"
#include "stopwatch_commands.h"
#include "waits.h"
#include "window_search.h"
#include "wine_trace.h"

namespace {

const char LAPWICK_EXE[] = "Lapwick.exe";

// One running Lapwick, ended with the test whatever happens.
struct lapwick {
  launched_program program;
  HWND window = nullptr;
  std::string trace;  // its winmm trace file
  std::string folder = planted_folder(LAPWICK_EXE);

  lapwick() {
    trace = temp_file("lapwick-winmm");
    program = launch_with_trace(LAPWICK_EXE, "trace+winmm", trace, folder, {PLANTED_LOAD_ORDER});
    window = wait_for_window(LAPWICK_CLASS, program.info.dwProcessId, 10000);
    // Start-up ends with the window in the topmost band.
    wait_until([&] { return ready(); }, 10000);
  }

  bool ready() const {
    return window != nullptr && IsWindowVisible(window) &&
           (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  }
  std::string title() const { return window_text(window); }
  void post(UINT message, WPARAM wparam) const { PostMessageA(window, message, wparam, 0); }
  void command(WPARAM id) const { post(WM_COMMAND, id); }
  void system_command(WPARAM id) const { post(WM_SYSCOMMAND, id); }
  // Timer messages as another program might post them: they only make
  // the stopwatch look at its clock again.
  void timer_messages(int n) const {
    for (int i = 0; i < n; ++i) post(WM_TIMER, STOPWATCH_TIMER_ID);
  }
  // Returns once everything posted so far has been handled.
  bool settled() const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
  }
  bool shows(const std::string& expected, DWORD timeout_ms = 5000) const {
    return wait_until([&] { return title() == expected; }, timeout_ms);
  }

  std::vector<unsigned long> sounds() const { return played_sound_sizes(read_text_file(trace)); }
  // Waits for the number of chimes, then a little longer to catch any
  // extra one; returns what was played.
  std::vector<unsigned long> chimes_after(size_t expected) const {
    wait_until([&] { return sounds().size() >= expected; }, 5000);
    wait_until([&] { return sounds().size() > expected; }, 400);
    return sounds();
  }
};

std::vector<unsigned long> chimes(size_t count) {
  return std::vector<unsigned long>(count, LAPWICK_CHIME_RIFF_SIZE);
}

// --- The window as others see it ------------------------------------------

// At 96 DPI, 150 % and 200 %: the size scales, and the menu bar stays whole.
class LapwickWindow : public ::testing::TestWithParam<int> {};

TEST_P(LapwickWindow, SmallTopmostCentredFixedSizeWindowShowingZero) {
  const int dpi = GetParam();
  display_dpi scale(dpi);
  if (!scale.taken()) GTEST_SKIP() << "this system takes a new DPI only in a new session";
  lapwick stopwatch;
  ASSERT_NE(stopwatch.window, nullptr);
  ASSERT_TRUE(stopwatch.ready());
  EXPECT_EQ(window_class(stopwatch.window), LAPWICK_CLASS);
  EXPECT_EQ(stopwatch.title(), LAPWICK_RESET_TITLE);

  // The exact style is checked where the window is built; from outside,
  // what the user meets: it cannot be resized.
  const DWORD style = static_cast<DWORD>(GetWindowLongA(stopwatch.window, GWL_STYLE));
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0u);
  const DWORD ex_style = static_cast<DWORD>(GetWindowLongA(stopwatch.window, GWL_EXSTYLE));
  EXPECT_EQ(ex_style & ~static_cast<DWORD>(WS_EX_WINDOWEDGE), static_cast<DWORD>(WS_EX_TOPMOST));

  RECT frame = {};
  GetWindowRect(stopwatch.window, &frame);
  const int caption = metric_for_dpi(SM_CYCAPTION, dpi);
  // As tall as at 96 DPI, scaled, or, where the system's caption is
  // taller than the one that size was made for, just tall enough for the
  // whole menu bar above one line of client area.
  const int width = at_dpi(LAPWICK_WIDTH, dpi), height = frame.bottom - frame.top;
  EXPECT_EQ(frame.left,
            dpi == 96 ? LAPWICK_SCREEN_LEFT : (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  EXPECT_EQ(frame.top, dpi == 96 ? lapwick_screen_top(caption, height)
                                 : (GetSystemMetrics(SM_CYSCREEN) - height - caption) / 2);
  EXPECT_EQ(frame.right - frame.left, width);
  EXPECT_GE(height, at_dpi(LAPWICK_HEIGHT, dpi));
  EXPECT_NE(GetMenu(stopwatch.window), nullptr);
  // Under the caption, the menu bar in one row (Run, Pause, Reset and ?
  // side by side), and a client area below it.
  RECT client = {};
  GetClientRect(stopwatch.window, &client);
  POINT origin = {0, 0};
  ClientToScreen(stopwatch.window, &origin);
  const int bar = origin.y - (frame.top + metric_for_dpi(SM_CYFIXEDFRAME, dpi) + caption);
  EXPECT_GT(client.bottom, 0) << "the menu bar runs off the bottom of the window";
  if (height > at_dpi(LAPWICK_HEIGHT, dpi)) {
    EXPECT_EQ(client.bottom, 1) << "grown more than needed";
  }
  EXPECT_GE(bar, metric_for_dpi(SM_CYMENU, dpi) - 1) << "the menu bar is cut";
  EXPECT_LT(bar, 2 * metric_for_dpi(SM_CYMENU, dpi) - 1) << "the menu bar wraps";
}
INSTANTIATE_TEST_SUITE_P(Scales, LapwickWindow, ::testing::Values(96, 144, 192));

// Under Windows 11's caption at 100 %, with the text made 150 % bigger, and
// at 150 %: the time stands whole in the caption.
struct caption_case {
  int dpi;
  int text_percent;
};
class LapwickCaption : public ::testing::TestWithParam<caption_case> {};

TEST_P(LapwickCaption, HoldsTheTimeWholeUnderWindows11Metrics) {
  const caption_case c = GetParam();
  display_dpi scale(c.dpi);
  if (!scale.taken()) GTEST_SKIP() << "this system takes a new DPI only in a new session";
  windows11_caption metrics(c.text_percent);
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  RECT frame = {};
  GetWindowRect(stopwatch.window, &frame);
  const int spare = caption_room_left(stopwatch.window, LAPWICK_RESET_TITLE, c.dpi);
  std::printf("width %ld, room left beside the time %d\n", frame.right - frame.left, spare);
  EXPECT_GE(spare, 0) << "the time is cut short";
  EXPECT_GE(frame.right - frame.left, at_dpi(LAPWICK_WIDTH, c.dpi));
}
INSTANTIATE_TEST_SUITE_P(Scales, LapwickCaption,
                         ::testing::Values(caption_case{96, 100}, caption_case{96, 150},
                                           caption_case{144, 100}));

// --- Commands, titles and chimes -------------------------------------------

TEST(LapwickCommands, EachStateChangeChimesOnceAndTheTitleFollows) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.command(IDM_PAUSE);  // while reset: nothing
  stopwatch.command(IDM_RUN);
  stopwatch.command(IDM_RUN);  // while running: nothing
  ASSERT_TRUE(stopwatch.shows("00:00:01", 3000));

  stopwatch.system_command(IDM_PAUSE);
  stopwatch.timer_messages(20);  // they add no time, paused or not
  ASSERT_TRUE(stopwatch.settled());
  EXPECT_LT(stopwatch.title(), "00:00:03");
  stopwatch.system_command(IDM_PAUSE);  // resumes
  stopwatch.timer_messages(20);
  ASSERT_TRUE(stopwatch.settled());
  EXPECT_LT(stopwatch.title(), "00:00:03");
  ASSERT_TRUE(stopwatch.shows("00:00:03", 4000));

  stopwatch.command(IDM_PAUSE);
  stopwatch.system_command(IDM_RUN);  // resumes
  stopwatch.post(WM_TIMER, 7);        // not the stopwatch's timer
  ASSERT_TRUE(stopwatch.shows("00:00:04", 3000));

  stopwatch.command(IDM_PAUSE);
  stopwatch.system_command(IDM_RESET);  // from paused
  ASSERT_TRUE(stopwatch.shows(LAPWICK_RESET_TITLE));
  stopwatch.timer_messages(2);  // reset: nothing
  stopwatch.command(IDM_RUN);
  ASSERT_TRUE(stopwatch.shows("00:00:01", 3000));  // from zero again
  stopwatch.command(IDM_RESET);                    // from running
  ASSERT_TRUE(stopwatch.shows(LAPWICK_RESET_TITLE));
  stopwatch.command(IDM_RESET);  // reset again: chimes all the same
  // Run, Pause, Pause, Pause, Run, Pause, Reset, Run, Reset, Reset.
  EXPECT_EQ(stopwatch.chimes_after(10), chimes(10));
  EXPECT_EQ(planted_marks(stopwatch.folder), std::vector<std::string>());
  EXPECT_TRUE(planted_dlls_load_unrestricted(stopwatch.folder))
      << "this bench never loads a planted DLL";
  EXPECT_EQ(stopwatch.title(), LAPWICK_RESET_TITLE);
}

// A real minute: the chime has sounded by the time the title shows it.
TEST(LapwickCommands, AWholeMinuteChimesAndTheNextRunStartsFromZero) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.command(IDM_RUN);
  ASSERT_TRUE(stopwatch.shows("00:00:59", 65000));
  EXPECT_EQ(stopwatch.sounds(), chimes(1));  // Run: none before the minute
  ASSERT_TRUE(stopwatch.shows("00:01:00", 3000));
  EXPECT_EQ(stopwatch.sounds(), chimes(2));
  EXPECT_EQ(stopwatch.chimes_after(2), chimes(2));

  stopwatch.command(IDM_RESET);
  stopwatch.command(IDM_RUN);
  EXPECT_TRUE(stopwatch.shows("00:00:01", 3000));
  EXPECT_EQ(stopwatch.chimes_after(4), chimes(4));
}

// The seconds that a title "HH:MM:SS" shows, or -1 for any other text.
int seconds_shown(const std::string& title) {
  int hours = 0, minutes = 0, seconds = 0;
  char end = 0;
  if (title.size() != 8 ||
      std::sscanf(title.c_str(), "%2d:%2d:%2d%c", &hours, &minutes, &seconds, &end) != 3) {
    return -1;
  }
  return hours * 3600 + minutes * 60 + seconds;
}

TEST(LapwickCommands, TheRealTimerCountsSecondsOnlyWhileRunning) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  const DWORD started = GetTickCount();
  stopwatch.command(IDM_RUN);
  ASSERT_TRUE(stopwatch.shows("00:00:01", 3000));
  ASSERT_TRUE(stopwatch.shows("00:00:03", 4000));
  // Three seconds cannot come much before 3 s.
  EXPECT_GE(GetTickCount() - started, 2800u);

  // Sent: the title is read once Pause has been handled.
  DWORD_PTR result = 0;
  ASSERT_NE(SendMessageTimeoutA(stopwatch.window, WM_COMMAND, IDM_PAUSE, 0, SMTO_NORMAL,
                                wait_bound(5000), &result),
            0);
  const std::string paused_at = stopwatch.title();
  ASSERT_GE(seconds_shown(paused_at), 3) << "no time read: \"" << paused_at << "\"";
  // Two more periods fire; the time stands, and every title read says so.
  EXPECT_FALSE(wait_until([&] { return stopwatch.title() != paused_at; }, 2200))
      << "the title moved on while paused, to \"" << stopwatch.title() << "\"";
}

// Polls the title until it shows `seconds` whole seconds; returns when
// (GetTickCount64) it was first seen, or 0.
ULONGLONG seen_at(const lapwick& stopwatch, int seconds, DWORD timeout_ms) {
  char expected[16];
  wsprintfA(expected, "00:00:%02d", seconds);
  const ULONGLONG give_up = GetTickCount64() + timeout_ms;
  while (GetTickCount64() < give_up) {
    if (stopwatch.title() == expected) return GetTickCount64();
    Sleep(1);
  }
  return 0;
}

// Resumed either way, the stopwatch goes on from the millisecond it was
// paused at: 1.4 s run, so the title moves on 0.6 s after resuming.
TEST(LapwickCommands, BothWaysOfResumingGoOnFromTheTimeReached) {
  for (int resume : {IDM_PAUSE, IDM_RUN}) {
    SCOPED_TRACE(resume == IDM_PAUSE ? "resumed with Pause" : "resumed with Run");
    lapwick stopwatch;
    ASSERT_TRUE(stopwatch.ready());
    stopwatch.command(IDM_RUN);
    ASSERT_NE(seen_at(stopwatch, 1, 3000), 0u);
    Sleep(400);
    stopwatch.command(IDM_PAUSE);
    Sleep(700);
    const ULONGLONG resumed = GetTickCount64();
    stopwatch.command(resume);
    const ULONGLONG second = seen_at(stopwatch, 2, 3000);
    ASSERT_NE(second, 0u);
    EXPECT_GE(second - resumed, 450u);
    EXPECT_LE(second - resumed, 800u);
  }
}

// The title moves on close behind each whole second of running time, and
// the lateness of one second's timer message is not carried to the next.
TEST(LapwickClock, TheTitleChangesCloseToEachWholeSecond) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  // Sent, so Run's own moment lies between the two readings.
  const ULONGLONG before_run = GetTickCount64();
  DWORD_PTR result = 0;
  ASSERT_NE(
      SendMessageTimeoutA(stopwatch.window, WM_COMMAND, IDM_RUN, 0, SMTO_NORMAL, 5000, &result), 0);
  const ULONGLONG after_run = GetTickCount64();
  std::string lateness;
  for (int second = 1; second <= 8; ++second) {
    const ULONGLONG seen = seen_at(stopwatch, second, 3000);
    ASSERT_NE(seen, 0u) << "00:00:0" << second << " never shown";
    const ULONGLONG due = before_run + second * 1000ull;
    lateness += " " + std::to_string(static_cast<long long>(seen - due));
    EXPECT_GE(seen + 16, due) << "a second shown early";
    EXPECT_LE(seen, after_run + second * 1000ull + 60) << "shown late, ms after due:" << lateness;
  }
  std::printf("title changes after each whole second, ms (Run took %llu ms):%s\n",
              after_run - before_run, lateness.c_str());
}

// The stopwatch's thread stopped for six seconds, as on a machine too busy
// to run it or a stalled process: no timer message comes meanwhile, and
// the first one after shows the whole time since Run.
TEST(LapwickClock, AStalledStopwatchShowsTheTimeSinceRun) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  const ULONGLONG run_at = GetTickCount64();
  stopwatch.command(IDM_RUN);
  ASSERT_TRUE(stopwatch.shows("00:00:01", 3000));
  // Its one thread, the one that owns the window.
  HANDLE thread =
      OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(stopwatch.window, nullptr));
  ASSERT_NE(thread, nullptr);
  ASSERT_NE(SuspendThread(thread), static_cast<DWORD>(-1));
  Sleep(5500);
  // Stopped, it answers nothing.
  DWORD_PTR result = 0;
  const bool answered =
      SendMessageTimeoutA(stopwatch.window, WM_NULL, 0, 0, SMTO_NORMAL, 500, &result) != 0;
  ResumeThread(thread);
  CloseHandle(thread);
  EXPECT_FALSE(answered) << "the thread was not stopped";
  // Just after it wakes, the system may still take it for hung and give
  // no title at all; only a whole title counts.
  ASSERT_TRUE(wait_until(
      [&] {
        const int shown = seconds_shown(stopwatch.title());
        return shown >= 0 && shown != 1;
      },
      5000));
  // Read for two seconds: always the whole seconds since Run, give or
  // take the second in progress, and never ahead of it.
  int worst = 0;
  int ahead = 0;
  int reads = 0;
  const ULONGLONG until = GetTickCount64() + 2000;
  while (GetTickCount64() < until) {
    const int shown = seconds_shown(stopwatch.title());
    const int since_run = static_cast<int>((GetTickCount64() - run_at) / 1000);
    if (shown >= 0) {
      ++reads;
      worst = std::max(worst, since_run - shown);
      ahead += shown > since_run ? 1 : 0;
    }
    Sleep(50);
  }
  EXPECT_GT(reads, 10);
  EXPECT_LE(worst, 1) << "seconds behind the time since Run";
  EXPECT_EQ(ahead, 0);
  std::printf("after a 6 s stall, the title was at most %d s behind the time since Run\n", worst);
}

// --- Help and About ----------------------------------------------------------

// The process's first visible message box.
HWND wait_for_box(DWORD pid) {
  HWND box = nullptr;
  wait_until([&] { return (box = message_boxes(pid, true).first) != nullptr; }, 10000);
  return box;
}

TEST(LapwickBoxes, HelpHidesTheStopwatchWhichCountsOnBehindIt) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.command(IDM_RUN);
  ASSERT_TRUE(stopwatch.shows("00:00:01", 3000));
  stopwatch.command(IDM_HELP);
  HWND box = wait_for_box(stopwatch.program.info.dwProcessId);
  ASSERT_NE(box, nullptr);
  // Its exact text is checked where the box is built.
  EXPECT_EQ(window_text(box), LAPWICK_HELP_CAPTION);
  EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
  EXPECT_FALSE(IsWindowVisible(stopwatch.window));

  // The box's own loop keeps delivering the timer.
  EXPECT_TRUE(stopwatch.shows("00:00:03", 4000));
  EXPECT_FALSE(IsWindowVisible(stopwatch.window));

  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(wait_until([&] { return IsWindowVisible(stopwatch.window) != FALSE; }, 5000));
  EXPECT_FALSE(IsWindow(box));
  EXPECT_TRUE(stopwatch.shows("00:00:04", 3000));
  // Only the Run chimed: Help touches neither the state nor the sound.
  EXPECT_EQ(stopwatch.chimes_after(1), chimes(1));
}

TEST(LapwickBoxes, AboutNamesTheVendorAndComesBackWhenClosed) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.system_command(IDM_ABOUT);
  HWND box = wait_for_box(stopwatch.program.info.dwProcessId);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(window_text(box), LAPWICK_ABOUT_CAPTION);
  EXPECT_FALSE(IsWindowVisible(stopwatch.window));

  PostMessageA(box, WM_CLOSE, 0, 0);
  EXPECT_TRUE(wait_until([&] { return IsWindowVisible(stopwatch.window) != FALSE; }, 5000));
  EXPECT_EQ(stopwatch.title(), LAPWICK_RESET_TITLE);
  EXPECT_TRUE(stopwatch.sounds().empty());
}

// --- System commands and the end --------------------------------------------

TEST(LapwickSystemCommands, MinimiseAndRestoreStillWork) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.command(IDM_RUN);
  stopwatch.system_command(SC_MINIMIZE);
  EXPECT_TRUE(wait_until([&] { return IsIconic(stopwatch.window) != FALSE; }, 5000));
  // Minimised, the title still tells the time (it is what the taskbar shows).
  EXPECT_TRUE(stopwatch.shows("00:00:02", 4000));
  stopwatch.system_command(SC_RESTORE);
  EXPECT_TRUE(wait_until([&] { return IsIconic(stopwatch.window) == FALSE; }, 5000));
}

// What the taskbar button's menu sends to the minimised window.
TEST(LapwickSystemCommands, RunPauseAndResetWorkOnTheMinimisedWindow) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.system_command(SC_MINIMIZE);
  ASSERT_TRUE(wait_until([&] { return IsIconic(stopwatch.window) != FALSE; }, 5000));
  stopwatch.system_command(IDM_RUN);
  ASSERT_TRUE(stopwatch.shows("00:00:01", 3000));
  stopwatch.system_command(IDM_PAUSE);
  stopwatch.system_command(IDM_PAUSE);  // resumes
  ASSERT_TRUE(stopwatch.shows("00:00:02", 3000));
  stopwatch.system_command(IDM_RESET);
  EXPECT_TRUE(stopwatch.shows(LAPWICK_RESET_TITLE));
  // Run, Pause, Pause, Reset; none of them restores the window.
  EXPECT_EQ(stopwatch.chimes_after(4), chimes(4));
  EXPECT_TRUE(IsIconic(stopwatch.window));
}

TEST(LapwickSystemCommands, ClosingEndsWithCodeZeroRunningOrNot) {
  const struct {
    bool running;
    UINT message;
    WPARAM wparam;
  } cases[] = {{true, WM_SYSCOMMAND, SC_CLOSE}, {false, WM_CLOSE, 0}};
  for (const auto& c : cases) {
    lapwick stopwatch;
    ASSERT_TRUE(stopwatch.ready());
    if (c.running) {
      stopwatch.command(IDM_RUN);
      ASSERT_TRUE(stopwatch.shows("00:00:01", 3000));
    }
    stopwatch.post(c.message, c.wparam);
    EXPECT_EQ(wait_exit(stopwatch.program, 10000), 0) << c.message;
  }
}

// --- More than one ---------------------------------------------------------

TEST(LapwickInstances, TwoStartsGiveTwoIndependentClocks) {
  lapwick first;
  lapwick second;
  ASSERT_TRUE(first.ready());
  ASSERT_TRUE(second.ready());
  EXPECT_NE(first.window, second.window);

  first.command(IDM_RUN);
  ASSERT_TRUE(first.shows("00:00:01", 3000));
  second.command(IDM_RUN);
  second.command(IDM_PAUSE);
  ASSERT_TRUE(first.shows("00:00:02", 3000));
  EXPECT_EQ(second.title(), LAPWICK_RESET_TITLE);
  first.command(IDM_RESET);
  ASSERT_TRUE(first.shows(LAPWICK_RESET_TITLE));
  second.command(IDM_PAUSE);  // resumes
  EXPECT_TRUE(second.shows("00:00:01", 3000));
  EXPECT_EQ(first.title(), LAPWICK_RESET_TITLE);
  EXPECT_EQ(first.chimes_after(2), chimes(2));
  EXPECT_EQ(second.chimes_after(3), chimes(3));
}

}  // namespace
