#include <gtest/gtest.h>

#include "held_commands.h"

namespace {

TEST(HeldCommands, RunInTheOrderTheyCameAcrossTheWrapAndAFullListRefuses) {
  held_commands list = {};
  int id = -1;
  EXPECT_FALSE(next_held_command(list, &id));
  // Three rounds of filling and emptying move the first place round the ring.
  for (int round = 0; round < 3; ++round) {
    for (int i = 0; i < HELD_COMMAND_LIMIT - 5; ++i)
      ASSERT_TRUE(hold_command(list, round * 100 + i));
    for (int i = 0; i < HELD_COMMAND_LIMIT - 5; ++i) {
      ASSERT_TRUE(next_held_command(list, &id));
      EXPECT_EQ(id, round * 100 + i);
    }
    EXPECT_FALSE(next_held_command(list, &id));
  }
  for (int i = 0; i < HELD_COMMAND_LIMIT; ++i) ASSERT_TRUE(hold_command(list, i));
  EXPECT_FALSE(hold_command(list, 999));
  ASSERT_TRUE(next_held_command(list, &id));
  EXPECT_EQ(id, 0);
  EXPECT_TRUE(hold_command(list, 1000));  // room again, at the end
  for (int i = 1; i < HELD_COMMAND_LIMIT; ++i) ASSERT_TRUE(next_held_command(list, &id));
  ASSERT_TRUE(next_held_command(list, &id));
  EXPECT_EQ(id, 1000);
}

}  // namespace
