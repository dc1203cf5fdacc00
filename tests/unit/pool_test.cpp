#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "pool.h"

namespace {

// The pool is process-wide; each test measures from wherever it stands.
int steps_from(int before) { return (pool_index() - before + POOL_SLOTS) % POOL_SLOTS; }

// Takes blocks until the index stands at `slot`; a ring that never gets
// there fails at once instead of spinning until the test times out.
bool walk_to(int slot) {
  for (int i = 0; i < POOL_SLOTS && pool_index() != slot; ++i) tmp_string(0);
  return pool_index() == slot;
}

TEST(Pool, AdvancesBeforeUseAndWrapsAfterSlot2047) {
  const int before = pool_index();
  char* first = tmp_string(3);
  EXPECT_EQ(pool_index(), (before + 1) % POOL_SLOTS);
  EXPECT_EQ(pool_slot(pool_index()), first);
  // Walk the index round to 2047: the next block lands in slot 0.
  ASSERT_TRUE(walk_to(POOL_SLOTS - 1));
  char* wrapped = tmp_string(0);
  EXPECT_EQ(pool_index(), 0);
  EXPECT_EQ(pool_slot(0), wrapped);
}

TEST(Pool, SlotsOutsideTheRingHoldNothing) {
  ASSERT_TRUE(walk_to(POOL_SLOTS - 1));  // every slot now holds a block
  EXPECT_NE(pool_slot(0), nullptr);
  EXPECT_NE(pool_slot(POOL_SLOTS - 1), nullptr);
  for (int slot : {-1, POOL_SLOTS, POOL_SLOTS + 1, -POOL_SLOTS}) {
    EXPECT_EQ(pool_slot(slot), nullptr) << "slot " << slot;
  }
}

TEST(Pool, BlockSurvives2047FurtherAllocationsAndThe2048thReleasesIt) {
  char* kept = tmp_string(10);
  std::strcpy(kept, "keep me");
  const int kept_slot = pool_index();
  for (int i = 0; i < POOL_SLOTS - 1; ++i) {
    char* other = tmp_string(20);
    std::memset(other, 'x', 20);
  }
  EXPECT_STREQ(pool_slot(kept_slot), "keep me");
  EXPECT_EQ(pool_slot(kept_slot), kept);
  char* reuse = tmp_string(5);
  EXPECT_EQ(pool_index(), kept_slot);
  EXPECT_EQ(pool_slot(kept_slot), reuse);
  EXPECT_STREQ(reuse, "");
}

#ifndef _WIN32
// Death tests re-run the test program, which Wine's start-up does not allow
// for; the host build covers a fresh process.
TEST(Pool, FirstBlockOfARunLandsInSlot1AndSlot0TakesThe2048th) {
  // Only a fresh process starts at index 0: check it in one of its own
  // (the threadsafe style re-runs this test in a new process).
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        if (pool_index() != 0 || pool_slot(1) != nullptr) std::exit(2);
        char* first = tmp_string(1);
        if (pool_index() != 1 || pool_slot(1) != first) std::exit(3);
        for (int i = 2; i <= POOL_SLOTS; ++i) tmp_string(1);
        if (pool_index() != 0 || pool_slot(0) == nullptr) std::exit(4);
        tmp_string(1);  // the 2049th frees the first and reuses slot 1
        std::exit(pool_index() == 1 && pool_slot(1) != first ? 0 : 5);
      },
      testing::ExitedWithCode(0), "");
}
#endif

TEST(Pool, BlocksAreZeroFilledIncludingTheSpareBytes) {
  for (int length : {0, 1, 37, 2047}) {
    const int before = pool_index();
    char* block = tmp_string(length);
    EXPECT_EQ(steps_from(before), 1);
    for (int i = 0; i < length + POOL_SPARE_BYTES; ++i) {
      ASSERT_EQ(block[i], 0) << "length " << length << " byte " << i;
    }
    std::memset(block, 0x5A, static_cast<size_t>(length + POOL_SPARE_BYTES));
  }
  EXPECT_STREQ(tmp_string(0), "");
}

TEST(Pool, NegativeLengthIsTreatedAsZero) {
  char* block = tmp_string(-50);
  for (int i = 0; i < POOL_SPARE_BYTES; ++i) ASSERT_EQ(block[i], 0);
}

#ifndef _WIN32
// On Windows the same path shows a message box, which a test cannot answer.
void* failing_allocator(std::size_t, std::size_t) { return nullptr; }

TEST(Pool, FailedAllocationEndsTheProgramWithCode1) {
  EXPECT_EXIT(
      {
        pool_set_allocator(failing_allocator);
        char* never = tmp_string(8);
        never[0] = 'x';
      },
      testing::ExitedWithCode(1), "Out of memory");
}
#endif

}  // namespace
