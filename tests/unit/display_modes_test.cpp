#include "display/display_modes.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(DisplayModes, EscapeLeavesFullScreenThenTelopThenCloses) {
  struct Case {
    bool fullScreen, telop;
    ExitStep expected;
  };
  for (const Case& c : {Case{true, true, ExitStep::LeaveFullScreen}, Case{true, false, ExitStep::LeaveFullScreen},
                        Case{false, true, ExitStep::LeaveTelop}, Case{false, false, ExitStep::Close}}) {
    DisplayModes modes;
    modes.fullScreen = c.fullScreen;
    modes.telop = c.telop;
    EXPECT_EQ(NextExitStep(modes), c.expected) << c.fullScreen << c.telop;
  }
}

TEST(DisplayModes, FullScreenRoundTripRestoresTheSavedBounds) {
  DisplayModes modes;
  const Rect before{100, 50, 740, 410};
  ModeChange in = EnterFullScreen(modes, before, 1920, 1080);
  EXPECT_TRUE(in.modes.fullScreen);
  EXPECT_FALSE(in.sizable);
  EXPECT_EQ(in.state, WindowState::Maximized);
  EXPECT_EQ(in.bounds, (Rect{0, 0, 1920, 1080}));

  const FallbackPlacement fallback{136, 39, {480, 10, 1440, 550}};
  ModeChange out = LeaveFullScreen(in.modes, LeaveBy::Command, fallback);
  EXPECT_FALSE(out.modes.fullScreen);
  EXPECT_TRUE(out.sizable);
  EXPECT_EQ(out.state, WindowState::Normal);
  EXPECT_EQ(out.bounds, before);
  EXPECT_EQ(LeaveFullScreen(in.modes, LeaveBy::Exit, fallback).state, WindowState::Keep)
      << "Escape leaves the window maximized";
}

TEST(DisplayModes, TelopKeysOutTheBackgroundAndGivesItBackOnLeaving) {
  DisplayModes modes;
  TelopChange in = EnterTelop(modes, 0x0000FF, 0x010000);
  EXPECT_TRUE(in.modes.telop && in.modes.colorKey);
  EXPECT_FALSE(in.sizable);
  EXPECT_EQ(in.back, 0x010000u);
  EXPECT_EQ(in.window, in.back);
  TelopChange out = LeaveTelop(in.modes);
  EXPECT_FALSE(out.modes.telop || out.modes.colorKey);
  EXPECT_TRUE(out.sizable) << "the frame comes back";
  EXPECT_EQ(out.back, 0x0000FFu);
  EXPECT_EQ(out.window, 0x0000FFu);
  EXPECT_EQ(out.modes.savedBackColor, 0x0000FFu) << "leaving keeps what it saved";
}

TEST(DisplayModes, SavedBoundsBelowTheTrackingSizeFallBackToTheFirstStart) {
  const Rect firstStart{480, 10, 1440, 550};
  struct Case {
    Rect saved;
    Rect expected;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, firstStart},          // full screen guessed by the menu, never entered
      {{10, 10, 145, 400}, firstStart},    // one pixel too narrow
      {{10, 10, 400, 48}, firstStart},     // one pixel too short
      {{500, 500, 400, 600}, firstStart},  // reversed
      {{10, 10, 146, 49}, {10, 10, 146, 49}},
      {{-300, -20, 2000, 1200}, {-300, -20, 2000, 1200}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BoundsLeavingFullScreen(c.saved, 136, 39, firstStart), c.expected) << c.saved.left << "," << c.saved.right;
  }
}

TEST(DisplayModes, PullIntoBoxMovesEachEdgeInTurn) {
  struct Case {
    Rect window;
    Rect expected;
  };
  const Case cases[] = {
      {{100, 100, 500, 300}, {100, 100, 500, 300}},        // inside: stays
      {{1800, 100, 2200, 300}, {1520, 100, 1920, 300}},    // past the right edge
      {{-50, 900, 350, 1100}, {0, 840, 400, 1040}},        // past the bottom-left corner
      {{-10, -10, 2010, 100}, {-100, 0, 1920, 110}},       // wider than the box: its right edge on W
      {{5, 1000, 205, 2200}, {5, -160, 205, 1040}},        // taller than the box
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PullIntoBox(c.window, 1920, 1040), c.expected) << c.window.left << "," << c.window.top;
  }
}

}  // namespace
}  // namespace orvane
