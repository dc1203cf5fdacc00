// Lapwick.exe started as another program would start it, driven through
// window messages and watched from outside: its window, its title, the
// chimes it plays (read from its winmm trace), its boxes and its end.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "harness.h"

namespace {

const char LAPWICK_EXE[] = "Lapwick.exe";
const char LAPWICK_CLASS[] = "Lapwick";

// Command ids as another program sends them.
const WPARAM RUN = 1;
const WPARAM PAUSE = 2;
const WPARAM RESET = 3;
const WPARAM HELP = 4;
const WPARAM ABOUT = 5;
const WPARAM TIMER = 1;  // the stopwatch's one timer

const std::string CR = "\r";

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
  ~lapwick() { kill_program(program); }

  bool ready() const {
    return window != nullptr && IsWindowVisible(window) &&
           (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  }
  std::string title() const { return window_text(window); }
  void post(UINT message, WPARAM wparam) const { PostMessageA(window, message, wparam, 0); }
  void command(WPARAM id) const { post(WM_COMMAND, id); }
  void system_command(WPARAM id) const { post(WM_SYSCOMMAND, id); }
  void timer_ticks(int n) const {
    for (int i = 0; i < n; ++i) post(WM_TIMER, TIMER);
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
  EXPECT_EQ(window_class(stopwatch.window), "Lapwick");
  EXPECT_EQ(stopwatch.title(), "00:00:00");

  const DWORD style = static_cast<DWORD>(GetWindowLongA(stopwatch.window, GWL_STYLE));
  // The system adds WS_CLIPSIBLINGS to every top-level window.
  EXPECT_EQ(style & ~static_cast<DWORD>(WS_CLIPSIBLINGS), 0x90CA0080u);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0u);  // not resizable
  const DWORD ex_style = static_cast<DWORD>(GetWindowLongA(stopwatch.window, GWL_EXSTYLE));
  EXPECT_EQ(ex_style & ~static_cast<DWORD>(WS_EX_WINDOWEDGE), static_cast<DWORD>(WS_EX_TOPMOST));

  RECT frame = {};
  GetWindowRect(stopwatch.window, &frame);
  EXPECT_EQ(frame.left, 402);
  EXPECT_EQ(frame.top, 349);
  EXPECT_EQ(frame.right - frame.left, 220);
  EXPECT_EQ(frame.bottom - frame.top, 50);
  EXPECT_NE(GetMenu(stopwatch.window), nullptr);
}

// --- Commands, titles and chimes -------------------------------------------

TEST(LapwickCommands, EachStateChangeChimesOnceAndTheTitleFollows) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.command(PAUSE);  // while reset: nothing
  stopwatch.command(RUN);
  stopwatch.command(RUN);  // while running: nothing
  stopwatch.timer_ticks(3);
  ASSERT_TRUE(stopwatch.shows("00:00:03"));

  stopwatch.system_command(PAUSE);
  stopwatch.timer_ticks(2);  // paused: not counted
  stopwatch.system_command(PAUSE);  // resumes
  stopwatch.timer_ticks(1);
  ASSERT_TRUE(stopwatch.shows("00:00:04"));

  stopwatch.command(PAUSE);
  stopwatch.system_command(RUN);  // resumes
  stopwatch.post(WM_TIMER, 7);  // not the stopwatch's timer
  stopwatch.timer_ticks(1);
  ASSERT_TRUE(stopwatch.shows("00:00:05"));

  stopwatch.system_command(RESET);
  ASSERT_TRUE(stopwatch.shows("00:00:00"));
  stopwatch.timer_ticks(2);  // reset: not counted
  stopwatch.command(RESET);  // reset again: chimes all the same
  // Run, Pause, Pause, Pause, Run, Reset, Reset.
  EXPECT_EQ(stopwatch.chimes_after(7), chimes(7));
  EXPECT_EQ(stopwatch.title(), "00:00:00");
}

TEST(LapwickCommands, AWholeMinuteChimesAndTheNextRunStartsFromZero) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.command(RUN);
  stopwatch.timer_ticks(59);
  ASSERT_TRUE(stopwatch.shows("00:00:59"));
  EXPECT_EQ(stopwatch.chimes_after(1), chimes(1));  // the Run alone
  stopwatch.timer_ticks(1);
  ASSERT_TRUE(stopwatch.shows("00:01:00"));
  EXPECT_EQ(stopwatch.chimes_after(2), chimes(2));

  stopwatch.command(PAUSE);
  stopwatch.command(RESET);
  stopwatch.command(RUN);
  stopwatch.timer_ticks(1);
  EXPECT_TRUE(stopwatch.shows("00:00:01"));
  EXPECT_EQ(stopwatch.chimes_after(5), chimes(5));
}

TEST(LapwickCommands, TheRealTimerCountsSecondsOnlyWhileRunning) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  const DWORD started = GetTickCount();
  stopwatch.command(RUN);
  ASSERT_TRUE(stopwatch.shows("00:00:01", 3000));
  ASSERT_TRUE(stopwatch.shows("00:00:03", 4000));
  // One second a period: three seconds cannot come much before 3 s.
  EXPECT_GE(GetTickCount() - started, 2800u);

  stopwatch.command(PAUSE);
  Sleep(200);
  const std::string paused_at = stopwatch.title();
  Sleep(2200);  // two more periods fire, uncounted
  EXPECT_EQ(stopwatch.title(), paused_at);
}

TEST(LapwickCommands, ResumingWithPauseKeepsThePhaseAndWithRunRestartsIt) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.command(RUN);
  ASSERT_TRUE(stopwatch.shows("00:00:01", 3000));  // a period has just begun
  Sleep(400);
  stopwatch.command(PAUSE);
  Sleep(200);
  DWORD resumed = GetTickCount();
  stopwatch.command(PAUSE);
  ASSERT_TRUE(stopwatch.shows("00:00:02", 3000));
  // The old phase: the next second comes at the end of the running period.
  EXPECT_LT(GetTickCount() - resumed, 750u);

  Sleep(400);
  stopwatch.command(PAUSE);
  Sleep(200);
  resumed = GetTickCount();
  stopwatch.command(RUN);
  ASSERT_TRUE(stopwatch.shows("00:00:03", 3000));
  // A new period: a full second after Run.
  EXPECT_GE(GetTickCount() - resumed, 750u);
}

// --- Help and About ----------------------------------------------------------

struct box_search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK match_box(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<box_search*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || window_class(window) != "#32770" || !IsWindowVisible(window)) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

HWND wait_for_box(DWORD pid) {
  box_search search = {pid, nullptr};
  wait_until(
      [&] {
        EnumWindows(match_box, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      10000);
  return search.found;
}

std::string box_body(HWND box) { return window_text(GetDlgItem(box, 0xFFFF)); }

TEST(LapwickBoxes, HelpHidesTheStopwatchWhichCountsOnBehindIt) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.command(RUN);
  ASSERT_TRUE(stopwatch.shows("00:00:01", 3000));
  stopwatch.command(HELP);
  HWND box = wait_for_box(stopwatch.program.info.dwProcessId);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(window_text(box), "Lapwick Help");
  EXPECT_EQ(box_body(box), "Run       starts or unpauses timer." + CR + CR +
                               "Pause    pauses\\unpauses the timer." + CR + CR +
                               "Reset    zeros the time." + CR + CR + "Note:" + CR +
                               "When minimized, the time displays on the" + CR +
                               "Windows taskbar button. Right-click this" + CR +
                               "button to display a menu.");
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
  stopwatch.system_command(ABOUT);
  HWND box = wait_for_box(stopwatch.program.info.dwProcessId);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(window_text(box), "Lapwick 1.6 by Ombrel Software");
  EXPECT_EQ(box_body(box), std::string(5, ' ') + CR + CR + std::string(5, ' ') +
                               "Copyright (c) 1998-2026 Ombrel Software" + CR + CR +
                               std::string(13, ' ') + "lapwick@ombrel-software.example" + CR +
                               std::string(15, ' ') + "www.ombrel-software.example" + CR);
  EXPECT_FALSE(IsWindowVisible(stopwatch.window));

  PostMessageA(box, WM_CLOSE, 0, 0);
  EXPECT_TRUE(wait_until([&] { return IsWindowVisible(stopwatch.window) != FALSE; }, 5000));
  EXPECT_EQ(stopwatch.title(), "00:00:00");
  EXPECT_TRUE(stopwatch.sounds().empty());
}

// --- System commands and the end --------------------------------------------

TEST(LapwickSystemCommands, MinimiseAndRestoreStillWork) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.command(RUN);
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
  stopwatch.system_command(RUN);
  stopwatch.timer_ticks(2);
  ASSERT_TRUE(stopwatch.shows("00:00:02"));
  stopwatch.system_command(PAUSE);
  stopwatch.timer_ticks(3);  // paused: not counted
  stopwatch.system_command(PAUSE);  // resumes
  stopwatch.timer_ticks(1);
  ASSERT_TRUE(stopwatch.shows("00:00:03"));
  stopwatch.system_command(RESET);
  EXPECT_TRUE(stopwatch.shows("00:00:00"));
  // Run, Pause, Pause, Reset; none of them restores the window.
  EXPECT_EQ(stopwatch.chimes_after(4), chimes(4));
  EXPECT_TRUE(IsIconic(stopwatch.window));
}

TEST(LapwickSystemCommands, CloseWhileRunningEndsWithCodeZero) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.command(RUN);
  ASSERT_TRUE(stopwatch.shows("00:00:01", 3000));
  stopwatch.system_command(SC_CLOSE);
  EXPECT_EQ(wait_exit(stopwatch.program, 10000), 0);
}

TEST(LapwickSystemCommands, ClosingTheWindowEndsWithCodeZero) {
  lapwick stopwatch;
  ASSERT_TRUE(stopwatch.ready());
  stopwatch.post(WM_CLOSE, 0);
  EXPECT_EQ(wait_exit(stopwatch.program, 10000), 0);
}

// --- More than one ---------------------------------------------------------

TEST(LapwickInstances, TwoStartsGiveTwoIndependentClocks) {
  lapwick first;
  lapwick second;
  ASSERT_TRUE(first.ready());
  ASSERT_TRUE(second.ready());
  EXPECT_NE(first.window, second.window);

  first.command(RUN);
  first.timer_ticks(5);
  ASSERT_TRUE(first.shows("00:00:05"));
  second.command(RUN);
  second.timer_ticks(2);
  ASSERT_TRUE(second.shows("00:00:02"));
  first.command(RESET);
  ASSERT_TRUE(first.shows("00:00:00"));
  second.timer_ticks(1);
  EXPECT_TRUE(second.shows("00:00:03"));
  EXPECT_EQ(first.chimes_after(2), chimes(2));
  EXPECT_EQ(second.chimes_after(1), chimes(1));
}

}  // namespace
