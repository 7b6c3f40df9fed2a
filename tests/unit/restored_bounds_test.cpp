#include "settings/restored_bounds.h"

#include <gtest/gtest.h>

#include <climits>

namespace orvane {
namespace {

TEST(UsableBounds, PullsInAsLittleAsNeededAndRejectsWindowsWithoutAClientArea) {
  // A 1920 x 1040 work area; a frame of 8 at the sides and bottom and 31 at the
  // top (caption bar); windows from 136 x 39 to 1944 x 1092; 64 usable pixels.
  const Bounds work{0, 0, 1920, 1040};
  const WindowLimits limits{8, 31, 8, 8, 136, 39, 1944, 1092, 64};
  const std::optional<Bounds> firstStart = std::nullopt;
  struct Case {
    const char* what;
    Bounds window;
    std::optional<Bounds> usable;
  };
  const Case cases[] = {
      {"well inside", {100, 100, 1060, 640}, Bounds{100, 100, 1060, 640}},
      {"larger than the work area", {-10, 0, 1930, 1060}, Bounds{-10, 0, 1930, 1060}},
      {"larger than a window can be", {-50, -50, 5000, 5000}, Bounds{-50, 0, 1894, 1092}},
      {"sliver at the bottom right", {1900, 1070, 2860, 1610}, Bounds{1848, 945, 2808, 1485}},
      {"sliver at the top left", {-950, -530, 10, 10}, Bounds{-888, 0, 72, 540}},
      {"caption bar above the top", {200, -10, 600, 300}, Bounds{200, 0, 600, 310}},
      {"one short of them", {1849, 500, 2809, 900}, Bounds{1848, 500, 2808, 900}},
      {"far away", {INT_MAX - 500, INT_MAX - 400, INT_MAX, INT_MAX}, Bounds{1848, 945, 2348, 1345}},
      {"reversed", {600, 400, 100, 100}, firstStart},
      {"empty", {100, 100, 100, 100}, firstStart},
      {"tiny: no client once raised to the smallest window", {100, 100, 110, 110}, firstStart},
      {"narrow, raised to the smallest width", {100, 100, 110, 300}, Bounds{100, 100, 236, 300}},
      {"as wide as 32 bits allow, lowered", {INT_MIN, 0, INT_MAX, 500}, Bounds{-1872, 0, 72, 500}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UsableBounds(c.window, work, limits), c.usable) << c.what;
  }
}

TEST(UsableBounds, KeepsToAWorkAreaAwayFromTheOriginAndToSmallClients) {
  // A second monitor to the left, its taskbar at the top.
  const Bounds work{-1280, 40, 0, 1024};
  const WindowLimits limits{8, 31, 8, 8, 136, 39, 1944, 1092, 64};
  EXPECT_EQ(UsableBounds({-2000, 0, -1500, 300}, work, limits), (Bounds{-1708, 40, -1208, 340}));
  EXPECT_EQ(UsableBounds({100, 2000, 600, 2300}, work, limits), (Bounds{-72, 929, 428, 1229}));
  // A client 20 pixels high shows whole, not 64 of it.
  EXPECT_EQ(UsableBounds({-600, 2000, -100, 2059}, work, limits), (Bounds{-600, 973, -100, 1032}));
}

}  // namespace
}  // namespace orvane
