// The drifting caption over many ticks, with any sizes up to 100,000 pixels and
// any random draws: the heading stays one of the eight, the window keeps its
// size and never leaves the band one window wide around the motion box, the
// moves made lead to where it ends up, and the activation is taken back only
// when the caption has returned and had it when it left.

#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "telop/telop_motion.h"

namespace {

using namespace orvane;
using fuzzing::Check;

// Random draws from the input, checked to be asked only for ranges they can give.
class InputRandom : public RandomSource {
 public:
  explicit InputRandom(fuzzing::FuzzInput& in) : in_(in) {}
  int Next(int range) override {
    Check(range > 0);
    return static_cast<int>(in_.Int(0, range - 1));
  }

 private:
  fuzzing::FuzzInput& in_;
};

bool InBand(const TelopWindow& w, int boxWidth, int boxHeight) {
  return w.left >= -w.width && w.left <= boxWidth && w.top >= -w.height && w.top <= boxHeight;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr int kLargest = 100000;
  fuzzing::FuzzInput in(data, size);
  InputRandom random(in);
  const int boxWidth = static_cast<int>(in.Int(0, kLargest));
  const int boxHeight = static_cast<int>(in.Int(0, kLargest));
  TelopWindow window;
  window.width = static_cast<int>(in.Int(0, kLargest));
  window.height = static_cast<int>(in.Int(0, kLargest));
  window.left = static_cast<int>(in.Int(-window.width, boxWidth));
  window.top = static_cast<int>(in.Int(-window.height, boxHeight));
  int heading = static_cast<int>(in.Int(0, kHeadings - 1));
  const int ticks = static_cast<int>(in.Int(1, 5000));

  ActivationKeeper keeper;
  bool away = false;
  bool activeWhenLeft = false;
  int takenSinceReturn = 0;
  for (int tick = 0; tick < ticks; ++tick) {
    const TelopWindow before = window;
    const TelopStep step = MotionStep(heading, window, boxWidth, boxHeight, random);
    Check(step.heading >= 0 && step.heading < kHeadings);
    Check(step.moveCount >= 2 && step.moveCount <= static_cast<int>(step.moves.size()));
    Check(step.window.width == before.width && step.window.height == before.height);
    Check(InBand(step.window, boxWidth, boxHeight));
    // The step itself is one pixel on each axis at most, and not none.
    Check(step.moves[0].axis == TelopMove::Axis::Left && step.moves[1].axis == TelopMove::Axis::Top);
    Check(std::abs(step.moves[0].value - before.left) <= 1 && std::abs(step.moves[1].value - before.top) <= 1);
    Check(step.moves[0].value != before.left || step.moves[1].value != before.top);
    TelopWindow replayed = before;
    for (int i = 0; i < step.moveCount; ++i) {
      (step.moves[i].axis == TelopMove::Axis::Left ? replayed.left : replayed.top) = step.moves[i].value;
    }
    Check(replayed.left == step.window.left && replayed.top == step.window.top);
    window = step.window;
    heading = step.heading;
    if (in.Int(0, 15) == 0) {
      const int turned = Turn(heading, random);
      Check(turned == (heading + 1) % kHeadings || turned == (heading + kHeadings - 1) % kHeadings);
      heading = turned;
    }

    const bool onScreen = window.left < boxWidth && window.left + window.width > 0 && window.top < boxHeight &&
                          window.top + window.height > 0;
    const bool active = in.Bool();
    const bool nobodyActive = in.Bool();
    const bool take = keeper.AfterStep(onScreen, active, nobodyActive);
    if (!onScreen) {
      if (!away) activeWhenLeft = active;
      away = true;
      takenSinceReturn = 0;
    } else {
      away = false;
    }
    if (take) {
      Check(onScreen && !active && nobodyActive && activeWhenLeft);
      Check(++takenSinceReturn <= ActivationKeeper::kWatchTicks);
    }
  }
  return 0;
}
