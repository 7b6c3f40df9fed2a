#include "telop/telop_motion.h"

namespace orvane {
namespace {

constexpr int kDx[kHeadings] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int kDy[kHeadings] = {-1, -1, 0, 1, 1, 1, 0, -1};

// The step under way: the window as each rule sees it, and the moves made.
class Step {
 public:
  Step(int heading, TelopWindow window, int boxWidth, int boxHeight, RandomSource& random)
      : W(boxWidth), H(boxHeight), random_(random) {
    result_.heading = heading;
    result_.window = window;
  }

  int L() const { return result_.window.left; }
  int T() const { return result_.window.top; }
  int R() const { return L() + result_.window.width; }
  int B() const { return T() + result_.window.height; }
  int w() const { return result_.window.width; }
  int h() const { return result_.window.height; }

  void SetLeft(int value) {
    result_.window.left = value;
    result_.moves[result_.moveCount++] = {TelopMove::Axis::Left, value};
  }
  void SetTop(int value) {
    result_.window.top = value;
    result_.moves[result_.moveCount++] = {TelopMove::Axis::Top, value};
  }
  int Random(int range) { return range > 0 ? random_.Next(range) : 0; }

  void TurnRight() { result_.heading = (result_.heading + Random(3) + kHeadings) % kHeadings; }
  void TurnLeft() { result_.heading = (result_.heading - Random(3) + kHeadings) % kHeadings; }
  void Reverse() { result_.heading = (result_.heading + 4) % kHeadings; }

  // Re-entries set the top first, then the left.
  void InFromLeft() { SetTop(Random(H - h())); SetLeft(-w()); }
  void InFromRight() { SetTop(Random(H - h())); SetLeft(W); }
  void InFromBottom() { SetTop(H); SetLeft(Random(W - w())); }
  void InFromTop() { SetTop(-h()); SetLeft(Random(W - w())); }

  const int W;
  const int H;
  TelopStep result_;

 private:
  RandomSource& random_;
};

}  // namespace

TelopStep MotionStep(int heading, TelopWindow window, int boxWidth, int boxHeight,
                     RandomSource& random) {
  Step s(heading, window, boxWidth, boxHeight, random);
  const int d = heading;
  s.SetLeft(s.L() + kDx[d]);
  s.SetTop(s.T() + kDy[d]);
  // Rules in order; each reads the window as the rules before left it. The
  // coin of a reversal is tossed only when the edge conditions hold.
  switch (d) {
    case 0:
      if (s.T() == 0 && s.L() > 0 && s.R() < s.W && s.Random(2) == 0) s.Reverse();
      if (s.B() < 0) s.InFromBottom();
      break;
    case 1:
      if (s.T() == 0) s.TurnRight();
      if (s.R() == s.W) s.TurnLeft();
      if (s.L() > s.W) s.InFromLeft();
      if (s.B() < 0) s.InFromBottom();
      break;
    case 2:
      if (s.R() == s.W && s.T() > 0 && s.B() < s.H && s.Random(2) == 0) s.Reverse();
      if (s.L() > s.W) s.InFromLeft();
      break;
    case 3:
      if (s.R() == s.W) s.TurnRight();
      if (s.B() == s.H) s.TurnLeft();
      if (s.L() > s.W) s.InFromLeft();
      if (s.T() > s.H) s.InFromTop();
      break;
    case 4:
      if (s.B() == s.H && s.L() > 0 && s.R() < s.W && s.Random(2) == 0) s.Reverse();
      if (s.T() > s.H) s.InFromTop();
      break;
    case 5:
      if (s.B() == s.H) s.TurnRight();
      if (s.L() == 0) s.TurnLeft();
      if (s.R() < 0) s.InFromRight();
      if (s.T() > s.H) s.InFromTop();
      break;
    case 6:
      if (s.L() == 0 && s.T() > 0 && s.B() < s.H && s.Random(2) == 0) s.Reverse();
      if (s.R() < 0) s.InFromRight();
      break;
    case 7:
      if (s.L() == 0) s.TurnRight();
      if (s.T() == 0) s.TurnLeft();
      if (s.R() < 0) s.InFromRight();
      if (s.B() < 0) s.InFromBottom();
      break;
    default:
      break;
  }
  return s.result_;
}

int Turn(int heading, RandomSource& random) {
  heading += random.Next(2) == 0 ? 1 : -1;
  return (heading + kHeadings) % kHeadings;
}

bool ActivationKeeper::AfterStep(bool onScreen, bool active, bool nobodyActive) noexcept {
  if (!onScreen) {
    if (!away_) activeWhenLeft_ = active;
    away_ = true;
    watch_ = 0;
    return false;
  }
  if (away_) {
    away_ = false;
    watch_ = activeWhenLeft_ ? kWatchTicks : 0;
  }
  if (watch_ == 0) return false;
  --watch_;
  if (active) return false;
  // Another program took it: the user moved on, and it stays theirs.
  if (!nobodyActive) {
    watch_ = 0;
    return false;
  }
  // Taken back, and again while the watch lasts should the desktop's own
  // activation arrive after ours.
  return true;
}

}  // namespace orvane
