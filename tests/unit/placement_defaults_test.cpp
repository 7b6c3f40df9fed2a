#include "display/placement_defaults.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(PlacementDefaults, CentredAcrossAndRaisedByHalfAClientHeight) {
  // 1920 x 1080 screen, work area 1920 x 1040, window 960 x 540 with a 507 client.
  EXPECT_EQ(DefaultLeft(1920, 960), 480);
  EXPECT_EQ(DefaultTop(1040, 540, 507), -3);  // (1040 - 540 - 507) / 2 = -7 / 2
  EXPECT_EQ(DefaultTop(1080, 540, 507), 16);
  EXPECT_EQ(DefaultLeft(1001, 0), 500);
}

TEST(PlacementDefaults, DivisionTruncatesTowardsZero) {
  EXPECT_EQ(DefaultLeft(100, 103), -1);  // -3 / 2
  EXPECT_EQ(DefaultTop(0, 1, 0), 0);     // -1 / 2
  EXPECT_EQ(DefaultTop(0, 3, 0), -1);
}

}  // namespace
}  // namespace orvane
