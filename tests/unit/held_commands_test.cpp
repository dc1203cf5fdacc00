#include <gtest/gtest.h>

#include "held_commands.h"

namespace {

TEST(HeldCommands, RunInTheOrderTheyCameAcrossTheWrapAndAFullListGrowsLosingNone) {
  held_commands list = {};
  int id = -1;
  EXPECT_FALSE(next_held_command(list, &id));
  // Three rounds of filling and emptying move the first place round the ring.
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < HELD_COMMAND_ROOM - 5; ++i) hold_command(list, round * 100 + i);
    for (int i = 0; i < HELD_COMMAND_ROOM - 5; ++i) {
      ASSERT_TRUE(next_held_command(list, &id));
      EXPECT_EQ(id, round * 100 + i);
    }
    EXPECT_FALSE(next_held_command(list, &id));
  }
  // Full while the first place is past the start, then far beyond.
  const int flood = 5 * HELD_COMMAND_ROOM + 3;
  for (int i = 0; i < flood; ++i) hold_command(list, 1000 + i);
  for (int i = 0; i < flood; ++i) {
    ASSERT_TRUE(next_held_command(list, &id));
    EXPECT_EQ(id, 1000 + i);
  }
  EXPECT_FALSE(next_held_command(list, &id));
}

}  // namespace
