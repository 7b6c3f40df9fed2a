#pragma once
// The drift of the telop caption: one motion step every 20 ms, a turn every
// minute, and the colour that is keyed out. Portable; the shell applies the moves.

#include <array>
#include <cstdint>

#include "platform/random_source.h"

namespace orvane {

// Headings 0..7: up, up-right, right, down-right, down, down-left, left, up-left.
inline constexpr int kHeadings = 8;

struct TelopWindow {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// One window move, as the shell makes it: a new left or a new top.
struct TelopMove {
  enum class Axis : std::uint8_t { Left, Top } axis = Axis::Left;
  int value = 0;
  bool operator==(const TelopMove&) const = default;
};

struct TelopStep {
  TelopWindow window;                 // where the window ends up
  int heading = 0;                    // the heading for the next tick
  std::array<TelopMove, 6> moves{};   // in order: the step, then any re-entry
  int moveCount = 0;
};

// One tick of the motion timer for the window in the motion box (0, 0)-(boxWidth, boxHeight).
[[nodiscard]] TelopStep MotionStep(int heading, TelopWindow window, int boxWidth, int boxHeight,
                                   RandomSource& random);

// One tick of the turn timer: 45 degrees either way.
[[nodiscard]] int Turn(int heading, RandomSource& random);

// Whether the drifting caption takes the activation back as it returns to the
// screen. Some window systems (Wine) hand the activation to the desktop while a
// window is wholly off the screen, and keys then no longer reach the program.
// The caption asks for it again only if it was active when it left, and only
// while no other program has taken it since.
class ActivationKeeper {
 public:
  // Ticks after the return during which the activation is taken back, and
  // taken back again should the desktop's own arrive after ours (Wine hands
  // it over asynchronously): five seconds.
  static constexpr int kWatchTicks = 250;

  // After each motion step: where the caption is now, whether it is the active
  // window, and whether no program is (the desktop, or nothing). True: activate
  // the caption and give its text field the focus.
  [[nodiscard]] bool AfterStep(bool onScreen, bool active, bool nobodyActive) noexcept;

 private:
  bool away_ = false;            // wholly off the screen
  bool activeWhenLeft_ = false;  // it had the activation as it went
  int watch_ = 0;                // ticks left to watch after the return
};

// The colour keyed out in telop mode: the text colour with its low bits nudged
// by one, so the background can never be mistaken for the text.
[[nodiscard]] constexpr std::uint32_t KeyColorFor(std::uint32_t textColor) noexcept {
  return textColor % 16 < 8 ? textColor + 1 : textColor - 1;
}

}  // namespace orvane
