// Lapwick's clock in this process: every command in every state, and long
// runs of ticks driven directly, with the effects watched in order.
#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <gtest/gtest.h>

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

  // Counts n seconds; returns how many chimes they played. Afterwards
  // clock_effects holds the effects of the last tick alone.
  int ticks(int n) {
    int chimes = 0;
    for (int i = 0; i < n; ++i) {
      clock_effects.clear();
      stopwatch_tick();
      for (const std::string& effect : clock_effects) chimes += effect == "chime" ? 1 : 0;
    }
    return chimes;
  }

  // Counts n seconds without watching them (long runs stay quick).
  void silent_ticks(int n) {
    stop_recording();
    for (int i = 0; i < n; ++i) stopwatch_tick();
    start_recording();
  }

  HWND window = nullptr;
};

// --- Run ---------------------------------------------------------------

TEST_F(StopwatchClock, RunFromResetStartsTheTimerThenChimes) {
  stopwatch_command(IDM_RUN);
  EXPECT_EQ(clock_effects, START_TIMER);
  EXPECT_EQ(run_state, STATE_RUNNING);
  EXPECT_EQ(timer_id, STOPWATCH_TIMER_ID);
}

TEST_F(StopwatchClock, RunWhileRunningDoesNothing) {
  bring_to(STATE_RUNNING);
  stopwatch_command(IDM_RUN);
  EXPECT_EQ(clock_effects, NOTHING);
  EXPECT_EQ(run_state, STATE_RUNNING);
}

TEST_F(StopwatchClock, RunWhilePausedRestartsTheTimerThenChimes) {
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
  ticks(5);
  clock_effects.clear();
  stopwatch_command(IDM_PAUSE);
  EXPECT_EQ(clock_effects, CHIME_ONLY);  // no KillTimer, no new title
  EXPECT_EQ(run_state, STATE_PAUSED);
  EXPECT_EQ(title(), "00:00:05");
}

TEST_F(StopwatchClock, PauseWhilePausedResumesWithoutTouchingTheTimer) {
  bring_to(STATE_PAUSED);
  stopwatch_command(IDM_PAUSE);
  EXPECT_EQ(clock_effects, CHIME_ONLY);
  EXPECT_EQ(run_state, STATE_RUNNING);
}

// --- Reset -------------------------------------------------------------

TEST_F(StopwatchClock, ResetActsTheSameInEveryState) {
  for (int state : {STATE_RESET, STATE_RUNNING, STATE_PAUSED}) {
    SCOPED_TRACE("from state " + std::to_string(state));
    reset_clock_state(window);
    if (state != STATE_RESET) {
      bring_to(STATE_RUNNING);
      ticks(61);  // a minute and a second on the counters
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
    EXPECT_EQ(second_count, COUNTER_BASE);
    EXPECT_EQ(minute_count, COUNTER_BASE);
    EXPECT_EQ(hour_count, COUNTER_BASE);
  }
}

TEST_F(StopwatchClock, ResetKeepsTheTimerIdAndTheNextRunCountsFromZero) {
  bring_to(STATE_RUNNING);
  ticks(75);
  stopwatch_command(IDM_PAUSE);
  stopwatch_command(IDM_RESET);
  EXPECT_EQ(timer_id, STOPWATCH_TIMER_ID);
  stopwatch_command(IDM_RUN);
  ticks(1);
  EXPECT_EQ(title(), "00:00:01");
}

// --- Timer messages as the window procedure routes them ----------------

TEST_F(StopwatchClock, OnlyTheStoredTimerCountsAndOnlyWhileRunning) {
  const WPARAM ours = STOPWATCH_TIMER_ID;
  stopwatch_window_proc(window, WM_TIMER, ours, 0);  // reset: not counted
  EXPECT_EQ(clock_effects, NOTHING);

  bring_to(STATE_RUNNING);
  EXPECT_EQ(stopwatch_window_proc(window, WM_TIMER, ours, 0), 0);
  EXPECT_EQ(clock_effects, effects({"title 00:00:01"}));

  clock_effects.clear();
  stopwatch_window_proc(window, WM_TIMER, 2, 0);  // another timer
  EXPECT_EQ(clock_effects, NOTHING);

  stopwatch_command(IDM_PAUSE);
  clock_effects.clear();
  stopwatch_window_proc(window, WM_TIMER, ours, 0);  // paused: not counted
  EXPECT_EQ(clock_effects, NOTHING);
  EXPECT_EQ(second_count, COUNTER_BASE + 1);
  EXPECT_EQ(title(), "00:00:01");
}

TEST_F(StopwatchClock, FailedSetTimerKeepsTheStateAndTheNextRunTriesAgain) {
  start_recording(/*set_timer_fails=*/true);
  stopwatch_command(IDM_RUN);
  // Asked for, refused: no chime, still reset, no timer id kept.
  EXPECT_EQ(clock_effects, effects({"SetTimer 1 1000"}));
  EXPECT_EQ(timer_id, 0u);
  EXPECT_EQ(run_state, STATE_RESET);

  // From pause, a refused Run leaves the clock paused on its old timer.
  start_recording();
  stopwatch_command(IDM_RUN);
  stopwatch_command(IDM_PAUSE);
  ASSERT_EQ(run_state, STATE_PAUSED);
  start_recording(/*set_timer_fails=*/true);
  stopwatch_command(IDM_RUN);
  EXPECT_EQ(clock_effects, effects({"SetTimer 1 1000"}));
  EXPECT_EQ(run_state, STATE_PAUSED);
  EXPECT_EQ(timer_id, STOPWATCH_TIMER_ID);

  // The next Run, with a timer to be had, runs and chimes.
  start_recording();
  stopwatch_command(IDM_RUN);
  EXPECT_EQ(clock_effects, START_TIMER);
  EXPECT_EQ(run_state, STATE_RUNNING);
}

TEST_F(StopwatchClock, TimerMessageWithIdZeroIsNeverCounted) {
  // However the clock came to run without a timer, id 0 is nobody's.
  run_state = STATE_RUNNING;
  timer_id = 0;
  stopwatch_window_proc(window, WM_TIMER, 0, 0);
  EXPECT_EQ(clock_effects, NOTHING);
  EXPECT_EQ(second_count, COUNTER_BASE);
}

// --- Counting ----------------------------------------------------------

TEST_F(StopwatchClock, SecondsCountUpToAWholeMinuteWithOneChime) {
  bring_to(STATE_RUNNING);
  EXPECT_EQ(ticks(1), 0);
  EXPECT_EQ(title(), "00:00:01");
  EXPECT_EQ(ticks(58), 0);
  EXPECT_EQ(title(), "00:00:59");
  EXPECT_EQ(ticks(1), 1);
  // The chime plays before the new minute reaches the title.
  EXPECT_EQ(clock_effects, effects({"chime", "title 00:01:00"}));
  EXPECT_EQ(title(), "00:01:00");
  EXPECT_EQ(ticks(1), 0);
  EXPECT_EQ(title(), "00:01:01");
}

TEST_F(StopwatchClock, AWholeHourBringsNoSecondChime) {
  bring_to(STATE_RUNNING);
  EXPECT_EQ(ticks(3599), 59);
  EXPECT_EQ(title(), "00:59:59");
  EXPECT_EQ(ticks(1), 1);
  EXPECT_EQ(clock_effects, effects({"chime", "title 01:00:00"}));
  EXPECT_EQ(ticks(607), 10);
  EXPECT_EQ(title(), "01:10:07");
}

TEST_F(StopwatchClock, HoursAreNeverWrappedButTheFieldStartsAgainAtZero) {
  bring_to(STATE_RUNNING);
  silent_ticks(359999);
  EXPECT_EQ(title(), "99:59:59");
  EXPECT_EQ(ticks(1), 1);
  EXPECT_EQ(clock_effects, effects({"chime", "title 00:00:00"}));
  EXPECT_EQ(run_state, STATE_RUNNING);
  EXPECT_EQ(hour_count, 200);
  ticks(1);
  EXPECT_EQ(clock_effects, effects({"title 00:00:01"}));
}

TEST_F(StopwatchClock, ALongRunRecyclesThePool) {
  bring_to(STATE_RUNNING);
  stop_recording();
  // Past the first 2048 blocks the pool frees one block for each it hands
  // out; from then on a run that leaked would grow with every tick.
  for (int i = 0; i < 10000; ++i) stopwatch_tick();
  PROCESS_MEMORY_COUNTERS before = {};
  PROCESS_MEMORY_COUNTERS after = {};
  before.cb = after.cb = sizeof before;
  GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
  for (int i = 0; i < 350000; ++i) stopwatch_tick();
  GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
  ASSERT_GT(before.PagefileUsage, 0u);
  // 350,000 ticks of a few leaked blocks each would be hundreds of MB.
  EXPECT_LT(after.PagefileUsage, before.PagefileUsage + 4 * 1024 * 1024);
  EXPECT_EQ(title(), LAPWICK_RESET_TITLE);
}

TEST_F(StopwatchClock, ResetDisplayShowsZeroAndForgetsTheCounters) {
  bring_to(STATE_RUNNING);
  ticks(3725);
  clock_effects.clear();
  reset_display();
  EXPECT_EQ(clock_effects, effects({"title 00:00:00"}));
  EXPECT_EQ(title(), LAPWICK_RESET_TITLE);
  EXPECT_EQ(run_state, STATE_RESET);
  EXPECT_EQ(hour_count + minute_count + second_count, 3 * COUNTER_BASE);
}

}  // namespace
