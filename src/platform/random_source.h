#pragma once
// The program's one pseudo-random generator, seeded once at start, behind a
// small interface so portable code can be tested with a scripted one.

#include <cstdint>
#include <random>

namespace orvane {

// random(n): uniform in [0, n). A range of 0 or less gives 0, so a window
// larger than the motion box re-enters at the box's edge, never far away.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual int Next(int range) = 0;
};

class ProgramRandom final : public RandomSource {
 public:
  void Seed(std::uint32_t seed) { engine_.seed(seed); }
  int Next(int range) override {
    if (range <= 0) return 0;
    return std::uniform_int_distribution<int>(0, range - 1)(engine_);
  }

 private:
  std::mt19937 engine_;
};

}  // namespace orvane
