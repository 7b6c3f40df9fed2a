#include "display/placement_defaults.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(PlacementDefaults, HalfTheScreenCentredAcrossAndAboveTheMiddle) {
  struct Case {
    const char* screen;
    int workWidth, workHeight, windowWidth, windowHeight, clientHeight;
    int left, top;
  };
  const Case cases[] = {
      // The caption bar starts just above the screen's top edge.
      {"1920 x 1080 above a 40-pixel taskbar", 1920, 1040, 960, 540, 507, 480, -3},
      {"1920 x 1080 without a taskbar", 1920, 1080, 960, 540, 507, 480, 16},
      {"1366 x 768 above a 40-pixel taskbar", 1366, 728, 683, 384, 351, 341, -3},
      {"3840 x 2160 above a 48-pixel taskbar", 3840, 2112, 1920, 1080, 1047, 960, -7},
      {"1024 x 768 with a taskbar at the side", 964, 768, 512, 384, 351, 226, 16},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DefaultLeft(c.workWidth, c.windowWidth), c.left) << c.screen;
    EXPECT_EQ(DefaultTop(c.workHeight, c.windowHeight, c.clientHeight), c.top) << c.screen;
  }
}

TEST(PlacementDefaults, DivisionTruncatesTowardsZero) {
  EXPECT_EQ(DefaultLeft(100, 103), -1);  // -3 / 2
  EXPECT_EQ(DefaultTop(0, 1, 0), 0);     // -1 / 2
  EXPECT_EQ(DefaultTop(0, 3, 0), -1);
  EXPECT_EQ(DefaultLeft(1001, 0), 500);
}

}  // namespace
}  // namespace orvane
