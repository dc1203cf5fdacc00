#include <gtest/gtest.h>

#include "display_scale.h"
#include "placement.h"

namespace {

TEST(Placement, CentreInWorkArea) {
  const int_rect work = {0, 30, 1024, 768};
  const int_point at = centre_in_area(work, {0, 0, 300, 200});
  EXPECT_EQ(at.x, 362);
  EXPECT_EQ(at.y, 299);
  // The window's own position plays no part, only its size.
  const int_point moved = centre_in_area(work, {500, 500, 800, 700});
  EXPECT_EQ(moved.x, 362);
  EXPECT_EQ(moved.y, 299);
}

TEST(Placement, OversizedWindowTruncatesTowardZero) {
  const int_rect work = {0, 30, 1024, 768};
  // 5 pixels wider than the area: -5 / 2 is -2, not -3.
  EXPECT_EQ(centre_in_area(work, {0, 0, 1029, 100}).x, -2);
  const int_rect offset = {100, 0, 400, 300};
  EXPECT_EQ(centre_in_area(offset, {0, 0, 305, 100}).x, 98);
}

TEST(Placement, CentreOnScreenCountsTheCaption) {
  const int_point splash = centre_on_screen_point(1024, 768, {500, 500, 686, 659}, 19);
  EXPECT_EQ(splash.x, 419);
  EXPECT_EQ(splash.y, 295);
  const int_point stopwatch = centre_on_screen_point(1024, 768, {0, 0, 220, 50}, 19);
  EXPECT_EQ(stopwatch.x, 402);
  EXPECT_EQ(stopwatch.y, 349);
}

TEST(Placement, PointFontHeight) {
  EXPECT_EQ(point_font_height(11, 96), -14);  // 14.67 truncated, not -15
  EXPECT_EQ(point_font_height(12, 96), -16);
  EXPECT_EQ(point_font_height(10, 120), -16);
  EXPECT_EQ(point_font_height(0, 96), 0);
}

TEST(Placement, ScaleForDpiRoundsHalvesAwayFromZeroAsMulDiv) {
  const struct {
    int value, dpi, expected;
  } cases[] = {{220, 96, 220},  {50, 144, 75}, {159, 144, 239}, {186, 192, 372}, {18, 120, 23},
               {-18, 120, -23}, {20, 120, 25}, {17, 120, 21},   {0, 192, 0},     {7, 72, 5}};
  for (const auto& c : cases) {
    EXPECT_EQ(scale_for_dpi(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi;
  }
}

TEST(Placement, FlashOffOnlyForNtFiveAndLater) {
  EXPECT_EQ(flash_off_for_version(0x80000004u), 0);  // Windows 9x, major 4
  EXPECT_EQ(flash_off_for_version(0x80000005u), 0);  // top bit set, any major
  EXPECT_EQ(flash_off_for_version(0x80000A06u), 0);
  EXPECT_EQ(flash_off_for_version(0x05650004u), 0);  // NT 4.0
  EXPECT_EQ(flash_off_for_version(0x0A280005u), 1);  // NT 5.0
  EXPECT_EQ(flash_off_for_version(0x1DB10106u), 1);  // NT 6.1
  EXPECT_EQ(flash_off_for_version(0x0000000Au), 1);  // NT 10
  EXPECT_EQ(flash_off_for_version(0x00000003u), 0);
}

}  // namespace
