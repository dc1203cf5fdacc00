// Lapwick's clock in this process: every command in every state, and long
// runs driven by moving the clock it reads, with the effects watched in
// order.
#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "clock_calls.h"
#include "lapwick_recorder.h"
#include "program_facts.h"
#include "stopwatch_clock.h"
#include "stopwatch_commands.h"
#include "stopwatch_window.h"

namespace {

using effects = std::vector<std::string>;

const effects START_TIMER = {"SetTimer 1 1000", "chime"};
const effects CHIME_ONLY = {"chime"};
const effects RESET = {"KillTimer 1", "title 00:00:00", "chime"};
const effects NOTHING = {};

class StopwatchClock : public ::testing::Test {
 protected:
  void SetUp() override {
    // A real window, so titles can be read back as the system holds them.
    window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    reset_clock_state(window);
    start_recording();
  }

  void TearDown() override {
    stop_recording();
    KillTimer(window, STOPWATCH_TIMER_ID);
    DestroyWindow(window);
  }

  std::string title() const {
    char text[TEXT_BUFFER_SIZE] = {0};
    GetWindowTextA(window, text, sizeof text);
    return text;
  }

  // Brings the clock into a state through its own commands, then forgets
  // what that did.
  void bring_to(int state) {
    if (state != STATE_RESET) stopwatch_command(IDM_RUN);
    if (state == STATE_PAUSED) stopwatch_command(IDM_PAUSE);
    ASSERT_EQ(run_state, state);
    clock_effects.clear();
  }

  // Moves the clock on by ms and refreshes as the timer's message would;
  // returns how many chimes the refresh played. Afterwards clock_effects
  // holds the effects of that refresh alone.
  int after(ULONGLONG ms) {
    clock_effects.clear();
    move_clock(ms);
    stopwatch_refresh();
    return chimes_recorded();
  }

  // n refreshes a second apart; returns the chimes they played together.
  int seconds(int n) {
    int chimes = 0;
    for (int i = 0; i < n; ++i) chimes += after(1000);
    return chimes;
  }

  HWND window = nullptr;
};

// --- Run ---------------------------------------------------------------

TEST_F(StopwatchClock, RunFromResetStartsTheTimerThenChimes) {
  stopwatch_command(IDM_RUN);
  EXPECT_EQ(clock_effects, START_TIMER);
  EXPECT_EQ(run_state, STATE_RUNNING);
  // The timer asked for is the one whose messages refresh the title.
  move_clock(1000);
  stopwatch_window_proc(window, WM_TIMER, STOPWATCH_TIMER_ID, 0);
  EXPECT_EQ(title(), "00:00:01");
}

TEST_F(StopwatchClock, RunWhileRunningDoesNothing) {
  bring_to(STATE_RUNNING);
  stopwatch_command(IDM_RUN);
  EXPECT_EQ(clock_effects, NOTHING);
  EXPECT_EQ(run_state, STATE_RUNNING);
}

TEST_F(StopwatchClock, RunWhilePausedStartsTheTimerAgainThenChimes) {
  bring_to(STATE_PAUSED);
  stopwatch_command(IDM_RUN);
  EXPECT_EQ(clock_effects, START_TIMER);
  EXPECT_EQ(run_state, STATE_RUNNING);
}

// --- Pause -------------------------------------------------------------

TEST_F(StopwatchClock, PauseWhileResetDoesNothing) {
  stopwatch_command(IDM_PAUSE);
  EXPECT_EQ(clock_effects, NOTHING);
  EXPECT_EQ(run_state, STATE_RESET);
}

TEST_F(StopwatchClock, PauseWhileRunningKeepsTheTimerAndTheTitle) {
  bring_to(STATE_RUNNING);
  after(5000);
  clock_effects.clear();
  stopwatch_command(IDM_PAUSE);
  EXPECT_EQ(clock_effects, CHIME_ONLY);  // no KillTimer, no new title
  EXPECT_EQ(run_state, STATE_PAUSED);
  EXPECT_EQ(title(), "00:00:05");
}

TEST_F(StopwatchClock, PauseWhilePausedResumesAndArmsTheTimerForTheRestOfTheSecond) {
  bring_to(STATE_PAUSED);
  stopwatch_command(IDM_PAUSE);
  EXPECT_EQ(clock_effects, effects({"SetTimer 1 1000", "chime"}));
  EXPECT_EQ(run_state, STATE_RUNNING);
}

// However long the pause, both ways of resuming go on from the very
// millisecond it began, and the title moves on when that second is full.
TEST_F(StopwatchClock, PauseKeepsTheFractionAndBothWaysOfResumingGoOnFromIt) {
  for (int resume : {IDM_PAUSE, IDM_RUN}) {
    SCOPED_TRACE(resume == IDM_PAUSE ? "resumed with Pause" : "resumed with Run");
    reset_clock_state(window);
    bring_to(STATE_RUNNING);
    after(1300);
    ASSERT_EQ(title(), "00:00:01");
    EXPECT_EQ(clock_effects, effects({"title 00:00:01", "SetTimer 1 700"}));
    stopwatch_command(IDM_PAUSE);

    // Paused, the timer still fires; it finds the time standing still.
    EXPECT_EQ(after(10 * 60 * 1000), 0);
    EXPECT_EQ(clock_effects, effects({"SetTimer 1 1000"}));
    EXPECT_EQ(running_ms(), 1300u);

    clock_effects.clear();
    stopwatch_command(resume);
    EXPECT_EQ(clock_effects, effects({"SetTimer 1 700", "chime"}));
    EXPECT_EQ(run_state, STATE_RUNNING);
    after(699);
    EXPECT_EQ(title(), "00:00:01");
    EXPECT_EQ(clock_effects, effects({"SetTimer 1 1"}));
    after(1);
    EXPECT_EQ(clock_effects, effects({"title 00:00:02", "SetTimer 1 1000"}));

    // Paused a millisecond short of a whole second, the title stays on
    // the second reached; resumed, one millisecond more shows the next.
    after(999);
    stopwatch_command(IDM_PAUSE);
    after(5000);
    EXPECT_EQ(title(), "00:00:02");
    stopwatch_command(resume);
    after(1);
    EXPECT_EQ(title(), "00:00:03");
  }
}

// --- Reset -------------------------------------------------------------

TEST_F(StopwatchClock, ResetActsTheSameInEveryState) {
  for (int state : {STATE_RESET, STATE_RUNNING, STATE_PAUSED}) {
    SCOPED_TRACE("from state " + std::to_string(state));
    reset_clock_state(window);
    if (state != STATE_RESET) {
      bring_to(STATE_RUNNING);
      after(61500);  // a minute and a second and a half run
      if (state == STATE_PAUSED) stopwatch_command(IDM_PAUSE);
      clock_effects.clear();
    }
    stopwatch_command(IDM_RESET);
    // Kill with the id of the last Run (0 before any), then the title,
    // then the chime.
    const std::string kill = state == STATE_RESET ? "KillTimer 0" : "KillTimer 1";
    EXPECT_EQ(clock_effects, effects({kill, "title 00:00:00", "chime"}));
    EXPECT_EQ(run_state, STATE_RESET);
    EXPECT_EQ(title(), LAPWICK_RESET_TITLE);
    EXPECT_EQ(running_ms(), 0u);
  }
}

TEST_F(StopwatchClock, ResetKeepsTheTimerIdAndTheNextRunCountsFromZero) {
  bring_to(STATE_RUNNING);
  after(75400);
  stopwatch_command(IDM_PAUSE);
  clock_effects.clear();
  stopwatch_command(IDM_RESET);
  EXPECT_EQ(clock_effects, RESET);  // the timer of the Run, killed
  clock_effects.clear();
  stopwatch_command(IDM_RUN);
  // No fraction of the old run is left: a whole second to the first.
  EXPECT_EQ(clock_effects, START_TIMER);
  after(999);
  EXPECT_EQ(title(), LAPWICK_RESET_TITLE);
  after(1);
  EXPECT_EQ(title(), "00:00:01");
}

// --- Timer messages as the window procedure routes them ----------------

TEST_F(StopwatchClock, TimerMessagesOnlyRefreshAndOnlyTheStoredTimersDo) {
  const WPARAM ours = STOPWATCH_TIMER_ID;
  move_clock(5000);
  stopwatch_window_proc(window, WM_TIMER, ours, 0);  // reset: nothing
  EXPECT_EQ(clock_effects, NOTHING);

  bring_to(STATE_RUNNING);
  // Any number of them, as fast as anyone sends them, add no time.
  clock_effects.clear();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(stopwatch_window_proc(window, WM_TIMER, ours, 0), 0);
  EXPECT_EQ(clock_effects, effects(3, "SetTimer 1 1000"));  // and no title
  move_clock(1000);
  clock_effects.clear();
  EXPECT_EQ(stopwatch_window_proc(window, WM_TIMER, ours, 0), 0);
  EXPECT_EQ(clock_effects, effects({"title 00:00:01", "SetTimer 1 1000"}));

  move_clock(1000);
  clock_effects.clear();
  stopwatch_window_proc(window, WM_TIMER, 2, 0);  // another timer
  EXPECT_EQ(clock_effects, NOTHING);

  stopwatch_command(IDM_PAUSE);
  move_clock(3000);
  clock_effects.clear();
  stopwatch_window_proc(window, WM_TIMER, ours, 0);  // paused: the time stands
  EXPECT_EQ(clock_effects, effects({"title 00:00:02", "SetTimer 1 1000"}));
  EXPECT_EQ(title(), "00:00:02");
}

TEST_F(StopwatchClock, FailedSetTimerKeepsTheStateAndTheNextRunTriesAgain) {
  start_recording(/*set_timer_fails=*/true);
  stopwatch_command(IDM_RUN);
  // Asked for, refused: no chime, still reset, no timer id kept.
  EXPECT_EQ(run_state, STATE_RESET);
  move_clock(5000);
  stopwatch_window_proc(window, WM_TIMER, STOPWATCH_TIMER_ID, 0);  // no timer: nothing
  EXPECT_EQ(clock_effects, effects({"SetTimer 1 1000"}));
  EXPECT_EQ(running_ms(), 0u);

  // From pause, a refused Run leaves the clock paused on its old timer,
  // with the time it had.
  start_recording();
  stopwatch_command(IDM_RUN);
  move_clock(2500);
  stopwatch_command(IDM_PAUSE);
  ASSERT_EQ(run_state, STATE_PAUSED);
  start_recording(/*set_timer_fails=*/true);
  stopwatch_command(IDM_RUN);
  EXPECT_EQ(clock_effects, effects({"SetTimer 1 500"}));
  EXPECT_EQ(run_state, STATE_PAUSED);
  stopwatch_window_proc(window, WM_TIMER, STOPWATCH_TIMER_ID, 0);  // the old timer's
  EXPECT_EQ(title(), "00:00:02");
  move_clock(5000);
  EXPECT_EQ(running_ms(), 2500u);

  // The next Run, with a timer to be had, runs and chimes.
  start_recording();
  stopwatch_command(IDM_RUN);
  EXPECT_EQ(clock_effects, effects({"SetTimer 1 500", "chime"}));
  EXPECT_EQ(run_state, STATE_RUNNING);
  move_clock(500);
  EXPECT_EQ(running_ms(), 3000u);
}

TEST_F(StopwatchClock, TimerMessageWithIdZeroIsNeverCounted) {
  // However the clock came to run without a timer, id 0 is nobody's.
  run_state = STATE_RUNNING;
  stretch_start_ms = test_clock_ms;
  timer_id = 0;
  move_clock(5000);
  stopwatch_window_proc(window, WM_TIMER, 0, 0);
  EXPECT_EQ(clock_effects, NOTHING);
  EXPECT_EQ(title(), "");
}

// --- Running time on the title -------------------------------------------

TEST_F(StopwatchClock, SecondsCountUpToAWholeMinuteWithOneChime) {
  bring_to(STATE_RUNNING);
  EXPECT_EQ(seconds(1), 0);
  EXPECT_EQ(title(), "00:00:01");
  EXPECT_EQ(seconds(58), 0);
  EXPECT_EQ(title(), "00:00:59");
  EXPECT_EQ(seconds(1), 1);
  // The chime plays before the new minute reaches the title.
  EXPECT_EQ(clock_effects, effects({"chime", "title 00:01:00", "SetTimer 1 1000"}));
  EXPECT_EQ(title(), "00:01:00");
  EXPECT_EQ(seconds(1), 0);
  EXPECT_EQ(title(), "00:01:01");
}

// The timer is set each time for what is left of the second, so a late
// message does not make the next one later.
TEST_F(StopwatchClock, EachRefreshArmsTheTimerForTheNextWholeSecond) {
  bring_to(STATE_RUNNING);
  after(1016);  // a system tick late
  EXPECT_EQ(clock_effects, effects({"title 00:00:01", "SetTimer 1 984"}));
  after(990);
  EXPECT_EQ(clock_effects, effects({"title 00:00:02", "SetTimer 1 994"}));
  after(2700);  // the thread was busy: two seconds at once
  EXPECT_EQ(clock_effects, effects({"title 00:00:04", "SetTimer 1 294"}));
}

// A stalled or sleeping machine: however many minutes went by unseen, the
// first look at the clock chimes once, then shows where the time is.
TEST_F(StopwatchClock, AJumpOverSeveralMinutesChimesOnce) {
  bring_to(STATE_RUNNING);
  seconds(58);
  after(400);
  EXPECT_EQ(after(5 * 60 * 1000 + 3000), 1);
  EXPECT_EQ(clock_effects, effects({"chime", "title 00:06:01", "SetTimer 1 600"}));
  // Paused behind a whole minute (before the timer looked): the minute's
  // chime comes when it does.
  after(600);
  seconds(57);
  EXPECT_EQ(title(), "00:06:59");
  move_clock(1100);
  stopwatch_command(IDM_PAUSE);
  clock_effects.clear();
  EXPECT_EQ(after(20), 1);
  EXPECT_EQ(clock_effects, effects({"chime", "title 00:07:00", "SetTimer 1 1000"}));
}

TEST_F(StopwatchClock, AWholeHourBringsNoSecondChime) {
  bring_to(STATE_RUNNING);
  EXPECT_EQ(after(3599 * 1000), 1);  // minutes crossed unseen: one chime
  EXPECT_EQ(title(), "00:59:59");
  EXPECT_EQ(seconds(1), 1);
  EXPECT_EQ(clock_effects, effects({"chime", "title 01:00:00", "SetTimer 1 1000"}));
  EXPECT_EQ(seconds(607), 10);
  EXPECT_EQ(title(), "01:10:07");
}

TEST_F(StopwatchClock, HoursAreNeverWrappedButTheFieldStartsAgainAtZero) {
  bring_to(STATE_RUNNING);
  after(359999ull * 1000);
  EXPECT_EQ(title(), "99:59:59");
  EXPECT_EQ(seconds(1), 1);
  EXPECT_EQ(clock_effects, effects({"chime", "title 00:00:00", "SetTimer 1 1000"}));
  EXPECT_EQ(run_state, STATE_RUNNING);
  EXPECT_EQ(hour_count, 200);
  seconds(1);
  EXPECT_EQ(clock_effects, effects({"title 00:00:01", "SetTimer 1 1000"}));
  // Days later the fields still come from the clock alone.
  after((250ull * 3600 + 42 * 60 + 7) * 1000);
  EXPECT_EQ(title(), "50:42:08");
}

// Private bytes the system itself keeps for each title set on a window,
// read from n titles of the clock's form: Wine keeps about 670 for every
// title of a window that has an X window, which under Wine 10 even a hidden
// top-level window has, and none otherwise.
SIZE_T system_bytes_per_title(HWND window, int n) {
  PROCESS_MEMORY_COUNTERS before = {};
  PROCESS_MEMORY_COUNTERS after = {};
  before.cb = after.cb = sizeof before;
  GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
  for (int i = 0; i < n; ++i) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", i / 3600 % 100, i / 60 % 60, i % 60);
    SetWindowTextA(window, text);
  }
  GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
  return after.PagefileUsage > before.PagefileUsage
             ? (after.PagefileUsage - before.PagefileUsage + n - 1) / n
             : 0;
}

TEST_F(StopwatchClock, ALongRunRecyclesThePool) {
  const SIZE_T kept_by_system = system_bytes_per_title(window, 10000);
  bring_to(STATE_RUNNING);
  stop_recording();
  clock_calls.tick_count = read_test_clock;
  // Past the first 2048 blocks the pool frees one block for each it hands
  // out; from then on a run that leaked would grow with every second.
  for (int i = 0; i < 10000; ++i) {
    move_clock(1000);
    stopwatch_refresh();
  }
  PROCESS_MEMORY_COUNTERS before = {};
  PROCESS_MEMORY_COUNTERS after = {};
  before.cb = after.cb = sizeof before;
  GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
  for (int i = 0; i < 350000; ++i) {
    move_clock(1000);
    stopwatch_refresh();
  }
  GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
  ASSERT_GT(before.PagefileUsage, 0u);
  // 350,000 titles of a few leaked blocks each would be hundreds of MB on
  // top of what the system keeps for them (measured on 10,000 titles, so
  // give or take a tenth).
  EXPECT_LT(after.PagefileUsage,
            before.PagefileUsage + 4 * 1024 * 1024 + 350000 * kept_by_system * 11 / 10)
      << "the system keeps " << kept_by_system << " bytes a title";
  EXPECT_EQ(title(), LAPWICK_RESET_TITLE);
}

TEST_F(StopwatchClock, ResetDisplayShowsZeroAndForgetsTheTime) {
  bring_to(STATE_RUNNING);
  after(3725000);
  clock_effects.clear();
  reset_display();
  EXPECT_EQ(clock_effects, effects({"title 00:00:00"}));
  EXPECT_EQ(title(), LAPWICK_RESET_TITLE);
  EXPECT_EQ(run_state, STATE_RESET);
  EXPECT_EQ(running_ms(), 0u);
}

}  // namespace
