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
      {"one pixel wide, raised", {100, 100, 101, 640}, Bounds{100, 100, 236, 640}},
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
  // A monitor reporting a work area of no width: the client's edge on it.
  EXPECT_EQ(UsableBounds({100, 100, 1060, 640}, {1920, 0, 1920, 1040}, limits), (Bounds{968, 100, 1928, 640}));
}

TEST(UsableBounds, OtherWindowSystemsLimits) {
  const Bounds work{0, 0, 1920, 1040};
  struct Case {
    const char* what;
    Bounds window;
    std::optional<Bounds> usable;
  };
  // Thinner frames, and a smallest window of 20 x 30 with a client of 12 x 3.
  const WindowLimits thin{4, 23, 4, 4, 20, 30, 4000, 3000, 64};
  const Case thinCases[] = {
      {"no width", {100, 100, 100, 400}, std::nullopt},
      {"no height", {100, 100, 600, 100}, std::nullopt},
      {"one pixel wide, raised", {100, 100, 101, 400}, Bounds{100, 100, 120, 400}},
      {"one pixel high, raised", {100, 100, 600, 101}, Bounds{100, 100, 600, 130}},
      {"a narrow client past the right edge shows whole", {1950, 100, 1970, 400}, Bounds{1904, 100, 1924, 400}},
      {"and past the left edge", {-100, 100, -80, 400}, Bounds{-4, 100, 16, 400}},
  };
  for (const Case& c : thinCases) EXPECT_EQ(UsableBounds(c.window, work, thin), c.usable) << c.what;

  // A smallest window that is all frame.
  const WindowLimits frameOnly{4, 23, 4, 4, 8, 27, 4000, 3000, 64};
  const Case frameCases[] = {
      {"raised to no client across", {100, 100, 104, 400}, std::nullopt},
      {"one client pixel across", {100, 100, 109, 400}, Bounds{100, 100, 109, 400}},
      {"raised to no client down", {100, 100, 600, 110}, std::nullopt},
      {"one client pixel down", {100, 100, 600, 128}, Bounds{100, 100, 600, 128}},
  };
  for (const Case& c : frameCases) EXPECT_EQ(UsableBounds(c.window, work, frameOnly), c.usable) << c.what;
}

TEST(UsableBounds, EdgesAtTheEndsOf32BitsAreKeptAndNoneBeyond) {
  const WindowLimits limits{8, 31, 8, 8, 136, 39, 1944, 1092, 64};
  const Bounds farRight{INT_MAX - 1000, 0, INT_MAX, 1040};
  EXPECT_EQ(UsableBounds({INT_MAX - 500, 100, INT_MAX, 400}, farRight, limits),
            (Bounds{INT_MAX - 500, 100, INT_MAX, 400}));
  const Bounds farLeft{INT_MIN, 0, INT_MIN + 1000, 1040};
  EXPECT_EQ(UsableBounds({INT_MIN, 100, INT_MIN + 500, 400}, farLeft, limits),
            (Bounds{INT_MIN, 100, INT_MIN + 500, 400}));
  EXPECT_EQ(UsableBounds({INT_MAX - 10, 100, INT_MAX, 400}, farRight, limits), std::nullopt)
      << "raised to the smallest width, its right edge would pass the last value";
}

}  // namespace
}  // namespace orvane
