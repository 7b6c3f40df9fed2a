#include "display/placement.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(ZoomWindow, ScalesAboutTheCentre) {
  EXPECT_EQ(ZoomWindow({100, 100, 400, 200}, 101, 1920, 1040), (WindowBox{98, 99, 404, 202}));
  EXPECT_EQ(ZoomWindow({100, 100, 400, 200}, 99, 1920, 1040), (WindowBox{102, 101, 396, 198}));
  // Odd differences truncate towards zero, also when the window grows.
  EXPECT_EQ(ZoomWindow({0, 0, 500, 300}, 101, 1920, 1040), (WindowBox{-2, -1, 505, 303}));
}

TEST(ZoomWindow, NeverNarrowerThanOneTwentyFourthOfTheWorkWidth) {
  // 1920 / 24 = 80: the width snaps to 80, height and place stay.
  EXPECT_EQ(ZoomWindow({10, 20, 80, 60}, 99, 1920, 1040), (WindowBox{10, 20, 80, 60}));
  EXPECT_EQ(ZoomWindow({10, 20, 81, 60}, 99, 1920, 1040), (WindowBox{10, 20, 80, 59}))
      << "exactly 80 is not below the floor: an ordinary zoom";
  EXPECT_EQ(ZoomWindow({10, 20, 30, 60}, 101, 1920, 1040), (WindowBox{10, 20, 80, 60}));
}

TEST(ZoomWindow, CappedAtTheWorkArea) {
  EXPECT_EQ(ZoomWindow({5, 6, 1910, 500}, 101, 1920, 1040), (WindowBox{5, 6, 1920, 500}));
  EXPECT_EQ(ZoomWindow({5, 6, 1000, 1035}, 101, 1920, 1040), (WindowBox{5, 6, 1010, 1040}))
      << "the height reaches the cap: no re-centring";
  EXPECT_EQ(ZoomWindow({5, 6, 1901, 500}, 101, 1920, 1040), (WindowBox{5, 6, 1920, 500})) << "exactly as wide";
  EXPECT_EQ(ZoomWindow({5, 6, 1000, 1030}, 101, 1920, 1040), (WindowBox{5, 6, 1010, 1040})) << "exactly as high";
}

TEST(ZoomWindow, SmallWidthsStickBecauseOfRounding) {
  // With a tiny work area the floor is below 50 and rounding decides.
  EXPECT_EQ(ZoomWindow({0, 0, 49, 49}, 101, 480, 480).width, 49);
  EXPECT_EQ(ZoomWindow({0, 0, 50, 50}, 101, 480, 480).width, 51);
  EXPECT_EQ(ZoomWindow({0, 0, 50, 50}, 99, 480, 480).width, 50);
  EXPECT_EQ(ZoomWindow({0, 0, 51, 51}, 99, 480, 480).width, 50);
  EXPECT_EQ(ZoomWindow({0, 0, 0, 0}, 99, 23, 480), (WindowBox{0, 0, 0, 0})) << "no division by a zero width";
}

TEST(Centred, FromTheScreenOriginTruncatingTowardsZero) {
  EXPECT_EQ(Centred({7, 7, 1001, 10}, 1000, 10).left, 0);
  EXPECT_EQ(Centred({7, 7, 1003, 10}, 1000, 10).left, -1);
  EXPECT_EQ(Centred({7, 7, 960, 540}, 1920, 1040), (WindowBox{480, 250, 960, 540}));
}

TEST(WheelAccumulator, WholeNotchesOnlyRemainderKept) {
  WheelAccumulator wheel;
  EXPECT_EQ(wheel.Add(-60), 0) << "a half notch does nothing";
  EXPECT_EQ(wheel.Add(-60), -1) << "two halves make one";
  EXPECT_EQ(wheel.Add(240), 2);
  EXPECT_EQ(wheel.Add(100), 0);
  EXPECT_EQ(wheel.Add(-100), 0);
  EXPECT_EQ(wheel.Add(-130), -1);
  EXPECT_EQ(wheel.Add(-110), -1) << "the -10 left over completes the notch";
  EXPECT_EQ(wheel.Add(2147483647), 17895697);
}

}  // namespace
}  // namespace orvane
