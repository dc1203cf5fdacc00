#include <gtest/gtest.h>

#include <string>

#include "held_steps.h"

namespace {

TEST(HeldCommands, RunInTheOrderTheyCameAcrossTheWrapAndAFullListGrowsLosingNone) {
  held_list list = {};
  int id = -1;
  EXPECT_FALSE(next_held_step(list, &id));
  // Three rounds of filling and emptying move the first place round the ring.
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < HELD_STEP_ROOM - 5; ++i) hold_step(list, round * 100 + i);
    for (int i = 0; i < HELD_STEP_ROOM - 5; ++i) {
      ASSERT_TRUE(next_held_step(list, &id));
      EXPECT_EQ(id, round * 100 + i);
    }
    EXPECT_FALSE(next_held_step(list, &id));
  }
  // Full while the first place is past the start, then far beyond.
  const int flood = 5 * HELD_STEP_ROOM + 3;
  for (int i = 0; i < flood; ++i) hold_step(list, 1000 + i);
  for (int i = 0; i < flood; ++i) {
    ASSERT_TRUE(next_held_step(list, &id));
    EXPECT_EQ(id, 1000 + i);
  }
  EXPECT_FALSE(next_held_step(list, &id));
}

// Steps 0 to 9 as a program sees them: each run writes "<n" and ">n" around
// the steps that arrive inside it (as messages let in by a step's wait),
// which are written as "+n" when run_step held them.
held_steps steps = {};
std::string seen;
const char* arriving[10] = {};
void record(int step) {
  seen += "<" + std::to_string(step);
  for (const char* in = arriving[step]; in != nullptr && *in != 0; ++in) {
    const int inner = *in - '0';
    if (run_step(steps, inner)) seen += "+" + std::to_string(inner);
  }
  seen += ">" + std::to_string(step);
}
bool five_opens_a_box(int step) { return step == 5; }

TEST(HeldCommands, StepsArrivingInAStepRunAfterItInOrderTheMergedOneOnceAndLast) {
  const struct {
    const char* arriving[10];
    const char* seen;
  } cases[] = {
      // 0 is the merged step: held twice, run once, after 2 and 3.
      {{}, "<1>1"},
      {{nullptr, "2030"}, "<1+2+0+3+0>1<2>2<3>3<0>0"},
      // One arriving in a held step is held in turn, behind the others.
      {{nullptr, "23", "4"}, "<1+2+3>1<2+4>2<3>3<4>4"},
      // 5 leaves the others free: 6 runs inside it, and what arrives in 6
      // runs as soon as 6 ends.
      {{nullptr, "5", nullptr, nullptr, nullptr, "6", "7"}, "<1+5>1<5<6+7>6<7>7>5"},
  };
  for (const auto& c : cases) {
    steps = {record, five_opens_a_box, 0, false, false, {}};
    seen.clear();
    for (int i = 0; i < 10; ++i) arriving[i] = c.arriving[i];
    EXPECT_FALSE(run_step(steps, 1));
    EXPECT_EQ(seen, c.seen);
    EXPECT_FALSE(steps.busy);
    EXPECT_EQ(steps.list.ids, nullptr) << "memory kept after the drain";
  }
}

}  // namespace
