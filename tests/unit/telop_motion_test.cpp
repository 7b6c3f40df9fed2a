#include "telop/telop_motion.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace orvane {
namespace {

// Hands out scripted values and records every range asked for.
class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<int> values = {}) : values_(values.begin(), values.end()) {}
  int Next(int range) override {
    ranges.push_back(range);
    EXPECT_FALSE(values_.empty()) << "unexpected draw of random(" << range << ")";
    if (values_.empty()) return 0;
    int v = values_.front();
    values_.pop_front();
    EXPECT_LT(v, range);
    return v;
  }
  bool Exhausted() const { return values_.empty(); }
  std::vector<int> ranges;

 private:
  std::deque<int> values_;
};

constexpr int W = 1000;
constexpr int H = 600;

TelopStep Step(int heading, TelopWindow window, ScriptedRandom& random) {
  return MotionStep(heading, window, W, H, random);
}

TEST(TelopMotion, MovesOnePixelPerAxis) {
  const int dx[] = {0, 1, 1, 1, 0, -1, -1, -1};
  const int dy[] = {-1, -1, 0, 1, 1, 1, 0, -1};
  for (int d = 0; d < kHeadings; ++d) {
    ScriptedRandom none;
    TelopStep s = Step(d, {100, 100, 200, 50}, none);
    EXPECT_EQ(s.window.left, 100 + dx[d]) << d;
    EXPECT_EQ(s.window.top, 100 + dy[d]) << d;
    EXPECT_EQ(s.window.width, 200) << "telop mode never sizes the window";
    EXPECT_EQ(s.window.height, 50);
    EXPECT_EQ(s.heading, d);
    EXPECT_TRUE(none.ranges.empty()) << "no draw away from the edges";
  }
}

TEST(TelopMotion, StraightHeadingReversesAtItsEdgeOnHeads) {
  struct Case {
    int heading;
    TelopWindow window;  // one pixel before the edge
  };
  const Case cases[] = {
      {0, {100, 1, 200, 50}},
      {2, {W - 201, 100, 200, 50}},
      {4, {100, H - 51, 200, 50}},
      {6, {1, 100, 200, 50}},
      // A pixel away from a neighbouring edge is away from it.
      {0, {1, 1, 200, 50}},
      {0, {W - 201, 1, 200, 50}},
      {2, {W - 201, 1, 200, 50}},
      {2, {W - 201, H - 51, 200, 50}},
      {4, {1, H - 51, 200, 50}},
      {4, {W - 201, H - 51, 200, 50}},
      {6, {1, 1, 200, 50}},
      {6, {1, H - 51, 200, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "heading " << c.heading << " at " << c.window.left << "," << c.window.top);
    ScriptedRandom heads({0});
    EXPECT_EQ(Step(c.heading, c.window, heads).heading, (c.heading + 4) % 8);
    EXPECT_EQ(heads.ranges, std::vector<int>{2}) << "a fair coin";
    ScriptedRandom tails({1});
    EXPECT_EQ(Step(c.heading, c.window, tails).heading, c.heading) << "runs on through the edge";
    EXPECT_TRUE(heads.Exhausted() && tails.Exhausted());
  }
}

TEST(TelopMotion, NoReversalWhileTouchingANeighbouringEdge) {
  struct Case {
    const char* where;
    int heading;
    TelopWindow window;  // one pixel before the edge it moves towards
  };
  const Case cases[] = {
      {"up along the left edge", 0, {0, 1, 200, 50}},
      {"up along the right edge", 0, {W - 200, 1, 200, 50}},
      {"right along the top edge", 2, {W - 201, 0, 200, 50}},
      {"right along the bottom edge", 2, {W - 201, H - 50, 200, 50}},
      {"down along the left edge", 4, {0, H - 51, 200, 50}},
      {"down along the right edge", 4, {W - 200, H - 51, 200, 50}},
      {"left along the top edge", 6, {1, 0, 200, 50}},
      {"left along the bottom edge", 6, {1, H - 50, 200, 50}},
  };
  for (const Case& c : cases) {
    ScriptedRandom none;
    EXPECT_EQ(Step(c.heading, c.window, none).heading, c.heading) << c.where;
    EXPECT_TRUE(none.ranges.empty()) << c.where << ": no coin tossed";
  }
}

TEST(TelopMotion, DiagonalTurnsByZeroFortyFiveOrNinety) {
  ScriptedRandom right({2});
  EXPECT_EQ(Step(1, {100, 1, 200, 50}, right).heading, 3) << "up-right meets the top: turn right";
  ScriptedRandom left({1});
  EXPECT_EQ(Step(3, {100, H - 51, 200, 50}, left).heading, 2) << "down-right meets the bottom";
  ScriptedRandom straight({0});
  EXPECT_EQ(Step(7, {1, 100, 200, 50}, straight).heading, 7) << "up-left meets the left, 0 degrees";
  ScriptedRandom wrap({2});
  EXPECT_EQ(Step(5, {1, 100, 200, 50}, wrap).heading, 3) << "turn left wraps below 0";
}

TEST(TelopMotion, EachDiagonalTurnsAtEitherEdgeItMeets) {
  struct Case {
    const char* what;
    int heading;
    TelopWindow window;  // one pixel before the edge
    int draw;
    int turned;
  };
  const Case cases[] = {
      {"up-right meets the top: right", 1, {100, 1, 200, 50}, 1, 2},
      {"up-right meets the right: left", 1, {W - 201, 100, 200, 50}, 2, 7},
      {"down-right meets the right: right", 3, {W - 201, 100, 200, 50}, 2, 5},
      {"down-right meets the bottom: left", 3, {100, H - 51, 200, 50}, 2, 1},
      {"down-left meets the bottom: right", 5, {100, H - 51, 200, 50}, 2, 7},
      {"down-left meets the left: left", 5, {1, 100, 200, 50}, 1, 4},
      {"up-left meets the left: right, wrapping", 7, {1, 100, 200, 50}, 2, 1},
      {"up-left meets the top: left", 7, {100, 1, 200, 50}, 2, 5},
  };
  for (const Case& c : cases) {
    ScriptedRandom random({c.draw});
    EXPECT_EQ(Step(c.heading, c.window, random).heading, c.turned) << c.what;
    EXPECT_EQ(random.ranges, std::vector<int>{3}) << c.what << ": 0, 45 or 90 degrees alike";
  }
}

TEST(TelopMotion, TopRightCornerTurnsRightThenLeftOnTheResult) {
  // Up-right, reaching T = 0 and R = W with the same move.
  ScriptedRandom random({2, 1});
  TelopStep s = Step(1, {W - 201, 1, 200, 50}, random);
  EXPECT_EQ(s.heading, 2);  // 1 + 2 = 3, then 3 - 1 = 2
  EXPECT_EQ(random.ranges, (std::vector<int>{3, 3}));
}

TEST(TelopMotion, LeavingTheBoxWhollyReentersFromTheOppositeSide) {
  struct Case {
    const char* what;
    int heading;
    TelopWindow window;  // before the step
    std::vector<int> draws;
    int left, top;       // after it
    std::vector<int> ranges;
  };
  // A 200 x 50 window anywhere along a side of the 1000 x 600 box: a top
  // below 550 or a left below 800.
  const Case cases[] = {
      {"right: its left edge passes W", 2, {W, 100, 200, 50}, {549}, -200, 549, {550}},
      {"right, climbing", 1, {W, 100, 200, 50}, {0}, -200, 0, {550}},
      {"right, falling", 3, {W, 100, 200, 50}, {7}, -200, 7, {550}},
      {"right: its left edge on W is still leaving", 2, {W - 1, 100, 200, 50}, {}, W, 100, {}},
      {"right, climbing, on W", 1, {W - 1, 100, 200, 50}, {}, W, 99, {}},
      {"right, falling, on W", 3, {W - 1, 100, 200, 50}, {}, W, 101, {}},
      {"left: its right edge passes 0", 6, {-200, 100, 200, 50}, {549}, W, 549, {550}},
      {"left, falling", 5, {-200, 100, 200, 50}, {3}, W, 3, {550}},
      {"left, climbing", 7, {-200, 100, 200, 50}, {4}, W, 4, {550}},
      {"left: its right edge on 0 is still leaving", 6, {-199, 100, 200, 50}, {}, -200, 100, {}},
      {"left, falling, on 0", 5, {-199, 100, 200, 50}, {}, -200, 101, {}},
      {"left, climbing, on 0", 7, {-199, 100, 200, 50}, {}, -200, 99, {}},
      {"top: its bottom edge passes 0", 0, {100, -50, 200, 50}, {799}, 799, H, {800}},
      {"top, rightwards", 1, {100, -50, 200, 50}, {42}, 42, H, {800}},
      {"top, leftwards", 7, {100, -50, 200, 50}, {5}, 5, H, {800}},
      {"top: its bottom edge on 0 is still leaving", 0, {100, -49, 200, 50}, {}, 100, -50, {}},
      {"top, rightwards, on 0", 1, {100, -49, 200, 50}, {}, 101, -50, {}},
      {"top, leftwards, on 0", 7, {100, -49, 200, 50}, {}, 99, -50, {}},
      {"bottom: its top edge passes H", 4, {100, H, 200, 50}, {799}, 799, -50, {800}},
      {"bottom, rightwards", 3, {100, H, 200, 50}, {9}, 9, -50, {800}},
      {"bottom, leftwards", 5, {100, H, 200, 50}, {1}, 1, -50, {800}},
      {"bottom: its top edge on H is still leaving", 4, {100, H - 1, 200, 50}, {}, 100, H, {}},
      {"bottom, rightwards, on H", 3, {100, H - 1, 200, 50}, {}, 101, H, {}},
      {"bottom, leftwards, on H", 5, {100, H - 1, 200, 50}, {}, 99, H, {}},
  };
  for (const Case& c : cases) {
    ScriptedRandom random(c.draws);
    TelopStep s = Step(c.heading, c.window, random);
    EXPECT_EQ(s.window.left, c.left) << c.what;
    EXPECT_EQ(s.window.top, c.top) << c.what;
    EXPECT_EQ(s.heading, c.heading) << c.what;
    EXPECT_EQ(random.ranges, c.ranges) << c.what << ": anywhere the window fits whole";
  }
}

TEST(TelopMotion, TopLeftCornerHeadingUpRunsThroughTheTop) {
  ScriptedRandom none;
  TelopStep s = Step(0, {0, 1, 200, 50}, none);
  EXPECT_EQ(s.heading, 0);
  ScriptedRandom random({5});
  TelopStep out = Step(0, {0, -50, 200, 50}, random);
  EXPECT_EQ(out.window.top, H);
  EXPECT_EQ(out.window.left, 5);
}

TEST(TelopMotion, WindowLargerThanTheBoxReentersAtTheEdge) {
  ScriptedRandom none;
  // Wider than the box and leaving through the top: no draw from a range <= 0.
  TelopStep s = Step(0, {0, -50, W + 10, 50}, none);
  EXPECT_EQ(s.window.left, 0);
  EXPECT_EQ(s.window.top, H);
  ScriptedRandom none2;
  TelopStep tall = Step(2, {W, 0, 200, H}, none2);
  EXPECT_EQ(tall.window.top, 0) << "a range of exactly 0 gives 0";
  EXPECT_TRUE(none.ranges.empty() && none2.ranges.empty());
}

TEST(TelopTurn, FortyFiveDegreesEitherWayWrapping) {
  ScriptedRandom clockwise({0});
  EXPECT_EQ(Turn(7, clockwise), 0);
  ScriptedRandom counter({1});
  EXPECT_EQ(Turn(0, counter), 7);
  ScriptedRandom plain({0});
  EXPECT_EQ(Turn(3, plain), 4);
  EXPECT_EQ(plain.ranges, std::vector<int>{2}) << "either way alike";
}

TEST(KeyColorFor, NudgesTheRedComponentOnlyWithoutCarry) {
  EXPECT_EQ(KeyColorFor(0x000000), 0x000001u);          // black: red 1
  EXPECT_EQ(KeyColorFor(0xFFFFFF), 0xFFFFFEu);          // white: red 254
  EXPECT_EQ(KeyColorFor(0x000017), 0x000018u);          // red 23 -> 24
  EXPECT_EQ(KeyColorFor(0x000018), 0x000017u);          // red 24 -> 23
  EXPECT_EQ(KeyColorFor(0x123407), 0x123408u);
  EXPECT_EQ(KeyColorFor(0xFF000008), 0xFF000007u);      // a system colour's index moves too
}

// One tick as the keeper sees it, and whether it should take the activation.
struct Tick {
  bool onScreen, active, nobodyActive, takesBack;
};
constexpr Tick kShownActive{true, true, false, false};
constexpr Tick kAwayActive{false, true, false, false};
constexpr Tick kAwayLost{false, false, true, false};
constexpr Tick kBackLost{true, false, true, true};

TEST(ActivationKeeper, TakesTheActivationBackOnlyIfTheDriftLostIt) {
  struct Case {
    const char* story;
    std::vector<Tick> ticks;
  };
  const Case cases[] = {
      {"lost while away, back", {kShownActive, kAwayActive, kAwayLost, kBackLost}},
      {"lost as it returned", {kAwayActive, kShownActive, kBackLost}},
      {"taken back again while the desktop still holds it", {kAwayActive, kBackLost, kBackLost}},
      {"never lost", {kAwayActive, kShownActive, kShownActive}},
      {"inactive when it left", {{false, false, true, false}, {true, false, true, false}}},
      {"another program took it", {kAwayActive, {true, false, false, false}, {true, false, true, false}}},
      {"never left the screen", {kShownActive, {true, false, true, false}}},
      {"still away", {kAwayActive, kAwayLost, kAwayLost}},
  };
  for (const Case& c : cases) {
    ActivationKeeper keeper;
    for (std::size_t i = 0; i < c.ticks.size(); ++i) {
      const Tick& t = c.ticks[i];
      EXPECT_EQ(keeper.AfterStep(t.onScreen, t.active, t.nobodyActive), t.takesBack)
          << c.story << ", tick " << i;
    }
  }
}

TEST(ActivationKeeper, StopsWatchingSomeTicksAfterTheReturn) {
  ActivationKeeper keeper;
  EXPECT_FALSE(keeper.AfterStep(false, true, false));
  for (int i = 0; i < ActivationKeeper::kWatchTicks; ++i) EXPECT_FALSE(keeper.AfterStep(true, true, false));
  EXPECT_FALSE(keeper.AfterStep(true, false, true)) << "a later loss is not the drift's doing";
}

}  // namespace
}  // namespace orvane
