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

TEST(TelopMotion, MovesOnePixelPerAxisLeftThenTop) {
  const int dx[] = {0, 1, 1, 1, 0, -1, -1, -1};
  const int dy[] = {-1, -1, 0, 1, 1, 1, 0, -1};
  for (int d = 0; d < kHeadings; ++d) {
    ScriptedRandom none;
    TelopStep s = Step(d, {100, 100, 200, 50}, none);
    EXPECT_EQ(s.window.left, 100 + dx[d]) << d;
    EXPECT_EQ(s.window.top, 100 + dy[d]) << d;
    EXPECT_EQ(s.heading, d);
    ASSERT_EQ(s.moveCount, 2);
    EXPECT_EQ(s.moves[0], (TelopMove{TelopMove::Axis::Left, 100 + dx[d]}));
    EXPECT_EQ(s.moves[1], (TelopMove{TelopMove::Axis::Top, 100 + dy[d]}));
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
  };
  for (const Case& c : cases) {
    ScriptedRandom heads({0});
    EXPECT_EQ(Step(c.heading, c.window, heads).heading, (c.heading + 4) % 8) << c.heading;
    ScriptedRandom tails({1});
    EXPECT_EQ(Step(c.heading, c.window, tails).heading, c.heading) << "runs on through the edge";
    EXPECT_TRUE(heads.Exhausted() && tails.Exhausted());
  }
}

TEST(TelopMotion, NoReversalWhileTouchingANeighbouringEdge) {
  ScriptedRandom none;
  // Up along the left edge (L = 0): never turns back, no coin tossed.
  EXPECT_EQ(Step(0, {0, 1, 200, 50}, none).heading, 0);
  // Right along the bottom edge (B = H).
  EXPECT_EQ(Step(2, {W - 201, H - 50, 200, 50}, none).heading, 2);
  EXPECT_TRUE(none.ranges.empty());
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

TEST(TelopMotion, TopRightCornerTurnsRightThenLeftOnTheResult) {
  // Up-right, reaching T = 0 and R = W with the same move.
  ScriptedRandom random({2, 1});
  TelopStep s = Step(1, {W - 201, 1, 200, 50}, random);
  EXPECT_EQ(s.heading, 2);  // 1 + 2 = 3, then 3 - 1 = 2
  EXPECT_EQ(random.ranges, (std::vector<int>{3, 3}));
}

TEST(TelopMotion, LeavingTheBoxReentersFromTheOppositeSide) {
  {
    ScriptedRandom random({123});
    TelopStep s = Step(2, {W, 100, 200, 50}, random);  // left edge passes W
    EXPECT_EQ(s.window.left, -200);
    EXPECT_EQ(s.window.top, 123);
    EXPECT_EQ(random.ranges, std::vector<int>{H - 50});
    ASSERT_EQ(s.moveCount, 4);
    EXPECT_EQ(s.moves[2].axis, TelopMove::Axis::Top) << "the top is set first";
    EXPECT_EQ(s.moves[3].axis, TelopMove::Axis::Left);
  }
  {
    ScriptedRandom random({7});
    TelopStep s = Step(6, {-200, 100, 200, 50}, random);  // right edge passes 0
    EXPECT_EQ(s.window.left, W);
    EXPECT_EQ(s.window.top, 7);
  }
  {
    ScriptedRandom random({42});
    TelopStep s = Step(0, {100, -50, 200, 50}, random);  // bottom passes 0
    EXPECT_EQ(s.window.top, H);
    EXPECT_EQ(s.window.left, 42);
    EXPECT_EQ(random.ranges, std::vector<int>{W - 200});
  }
  {
    ScriptedRandom random({9});
    TelopStep s = Step(4, {100, H, 200, 50}, random);  // top passes H
    EXPECT_EQ(s.window.top, -50);
    EXPECT_EQ(s.window.left, 9);
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
