// Lapwick.exe started as another program would start it, driven through
// window messages and watched from outside: its window, its title, the
// chimes it plays (read from its winmm trace), its boxes and its end.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "harness.h"
#include "program_facts.h"
#include "stopwatch_clock.h"
#include "stopwatch_commands.h"
#include "wine_trace.h"

namespace {

const char LAPWICK_EXE[] = "Lapwick.exe";

// One running Lapwick, ended with the test whatever happens.
struct lapwick {
  launched_program program;
  HWND window = nullptr;
  std::string trace;  // its winmm trace file

  lapwick() {
    trace = temp_file("lapwick-winmm");
    program = launch_with_trace(LAPWICK_EXE, "trace+winmm", trace);
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
  void timer_ticks(int n) const {
    for (int i = 0; i < n; ++i) post(WM_TIMER, STOPWATCH_TIMER_ID);
  }
  bool shows(const std::string& expected, DWORD timeout_ms = 5000) const {
    return wait_until([&] { return title() == expected; }, timeout_ms);
  }

  std::vector<unsigned long> sounds() const { return played_sound_sizes(read_text_file(trace)); }
  // Waits for the number of chimes, then a little longer to catch any
  // extra one; returns what was played.
  std::vector<unsigned long> chimes_after(size_t expected) const {
    wait_until([&] { return sounds().size() >= expected; }, 5000);
    Sleep(400);
    return sounds();
  }
};

std::vector<unsigned long> chimes(size_t count) {
  return std::vector<unsigned long>(count, LAPWICK_CHIME_RIFF_SIZE);
}

// --- The window as others see it ------------------------------------------

TEST(LapwickWindow, SmallTopmostCentredFixedSizeWindowShowingZero) {
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
  EXPECT_EQ(frame.left, LAPWICK_SCREEN_LEFT);
  EXPECT_EQ(frame.top, LAPWICK_SCREEN_TOP);
  EXPECT_EQ(frame.right - frame.left, LAPWICK_WIDTH);
  EXPECT_EQ(frame.bottom - frame.top, LAPWICK_HEIGHT);
  EXPECT_NE(GetMenu(stopwatch.window), nullptr);
}

// --- Commands, titles and chimes -------------------------------------------

TEST(LapwickCommands, EachStateChangeChimesOnceAndTheTitleFollows) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.command(IDM_PAUSE);  // while reset: nothing
  stopwatch.command(IDM_RUN);
  stopwatch.command(IDM_RUN);  // while running: nothing
  stopwatch.timer_ticks(3);
  ASSERT_TRUE(stopwatch.shows("00:00:03"));

  stopwatch.system_command(IDM_PAUSE);
  stopwatch.timer_ticks(2);             // paused: not counted
  stopwatch.system_command(IDM_PAUSE);  // resumes
  stopwatch.timer_ticks(1);
  ASSERT_TRUE(stopwatch.shows("00:00:04"));

  stopwatch.command(IDM_PAUSE);
  stopwatch.system_command(IDM_RUN);  // resumes
  stopwatch.post(WM_TIMER, 7);        // not the stopwatch's timer
  stopwatch.timer_ticks(1);
  ASSERT_TRUE(stopwatch.shows("00:00:05"));

  stopwatch.system_command(IDM_RESET);
  ASSERT_TRUE(stopwatch.shows(LAPWICK_RESET_TITLE));
  stopwatch.timer_ticks(2);      // reset: not counted
  stopwatch.command(IDM_RESET);  // reset again: chimes all the same
  // Run, Pause, Pause, Pause, Run, Reset, Reset.
  EXPECT_EQ(stopwatch.chimes_after(7), chimes(7));
  EXPECT_EQ(stopwatch.title(), LAPWICK_RESET_TITLE);
}

TEST(LapwickCommands, AWholeMinuteChimesAndTheNextRunStartsFromZero) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  // Posted ticks come before the real timer's, which the system makes only
  // when the queue is empty; paused, the real timer counts nothing while
  // the chimes are read.
  stopwatch.command(IDM_RUN);
  stopwatch.timer_ticks(59);
  stopwatch.command(IDM_PAUSE);
  ASSERT_TRUE(stopwatch.shows("00:00:59"));
  EXPECT_EQ(stopwatch.chimes_after(2), chimes(2));  // Run and Pause: none before the minute
  stopwatch.command(IDM_PAUSE);                     // resumes
  stopwatch.timer_ticks(1);
  stopwatch.command(IDM_PAUSE);
  ASSERT_TRUE(stopwatch.shows("00:01:00"));
  EXPECT_EQ(stopwatch.chimes_after(5), chimes(5));  // resume, the minute, pause

  stopwatch.command(IDM_RESET);
  stopwatch.command(IDM_RUN);
  stopwatch.timer_ticks(1);
  EXPECT_TRUE(stopwatch.shows("00:00:01"));
  EXPECT_EQ(stopwatch.chimes_after(7), chimes(7));
}

TEST(LapwickCommands, TheRealTimerCountsSecondsOnlyWhileRunning) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  const DWORD started = GetTickCount();
  stopwatch.command(IDM_RUN);
  ASSERT_TRUE(stopwatch.shows("00:00:01", 3000));
  ASSERT_TRUE(stopwatch.shows("00:00:03", 4000));
  // One second a period: three seconds cannot come much before 3 s.
  EXPECT_GE(GetTickCount() - started, 2800u);

  stopwatch.command(IDM_PAUSE);
  Sleep(200);
  const std::string paused_at = stopwatch.title();
  Sleep(2200);  // two more periods fire, uncounted
  EXPECT_EQ(stopwatch.title(), paused_at);
}

TEST(LapwickCommands, ResumingWithPauseKeepsThePhaseAndWithRunRestartsIt) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.command(IDM_RUN);
  ASSERT_TRUE(stopwatch.shows("00:00:01", 3000));  // a period has just begun
  Sleep(400);
  stopwatch.command(IDM_PAUSE);
  Sleep(200);
  DWORD resumed = GetTickCount();
  stopwatch.command(IDM_PAUSE);
  ASSERT_TRUE(stopwatch.shows("00:00:02", 3000));
  // The old phase: the next second comes at the end of the running period.
  EXPECT_LT(GetTickCount() - resumed, 750u);

  Sleep(400);
  stopwatch.command(IDM_PAUSE);
  Sleep(200);
  resumed = GetTickCount();
  stopwatch.command(IDM_RUN);
  ASSERT_TRUE(stopwatch.shows("00:00:03", 3000));
  // A new period: a full second after Run.
  EXPECT_GE(GetTickCount() - resumed, 750u);
}

// --- Help and About ----------------------------------------------------------

// The process's first visible message box (dialog class #32770).
HWND wait_for_box(DWORD pid) {
  HWND box = nullptr;
  wait_until([&] { return (box = tally_windows("#32770", pid, true).first) != nullptr; }, 10000);
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
  stopwatch.timer_ticks(2);
  EXPECT_TRUE(stopwatch.shows("00:00:02", 3000) || stopwatch.shows("00:00:03", 1500));
  stopwatch.system_command(SC_RESTORE);
  EXPECT_TRUE(wait_until([&] { return IsIconic(stopwatch.window) == FALSE; }, 5000));
}

// What the taskbar button's menu sends to the minimised window.
TEST(LapwickSystemCommands, RunPauseAndResetWorkOnTheMinimisedWindow) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.system_command(SC_MINIMIZE);
  ASSERT_TRUE(wait_until([&] { return IsIconic(stopwatch.window) != FALSE; }, 5000));
  // Each burst ends paused, so the real timer adds nothing meanwhile.
  stopwatch.system_command(IDM_RUN);
  stopwatch.timer_ticks(2);
  stopwatch.system_command(IDM_PAUSE);
  stopwatch.timer_ticks(3);  // paused: not counted
  ASSERT_TRUE(stopwatch.shows("00:00:02"));
  stopwatch.system_command(IDM_PAUSE);  // resumes
  stopwatch.timer_ticks(1);
  stopwatch.system_command(IDM_PAUSE);
  ASSERT_TRUE(stopwatch.shows("00:00:03"));
  stopwatch.system_command(IDM_RESET);
  EXPECT_TRUE(stopwatch.shows(LAPWICK_RESET_TITLE));
  // Run, Pause, Pause, Pause, Reset; none of them restores the window.
  EXPECT_EQ(stopwatch.chimes_after(5), chimes(5));
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
  first.timer_ticks(5);
  ASSERT_TRUE(first.shows("00:00:05"));
  second.command(IDM_RUN);
  second.timer_ticks(2);
  ASSERT_TRUE(second.shows("00:00:02"));
  first.command(IDM_RESET);
  ASSERT_TRUE(first.shows(LAPWICK_RESET_TITLE));
  second.timer_ticks(1);
  EXPECT_TRUE(second.shows("00:00:03"));
  EXPECT_EQ(first.chimes_after(2), chimes(2));
  EXPECT_EQ(second.chimes_after(1), chimes(1));
}

}  // namespace
