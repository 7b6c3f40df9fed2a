#pragma once
// The fuzzer's bytes read as the values a target needs. Past the end every
// read gives the lowest value, so any input is a complete case.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

namespace orvane::fuzzing {

// A broken invariant: libFuzzer keeps the input that led here.
inline void Check(bool condition, const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
  if (condition) return;
  std::fprintf(stderr, "%s:%d: invariant broken\n", file, line);
  std::abort();
}

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  [[nodiscard]] bool Empty() const { return at_ >= size_; }

  // A value in [lo, hi], from the next 8 bytes at most.
  [[nodiscard]] std::int64_t Int(std::int64_t lo, std::int64_t hi) {
    const std::uint64_t range = static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo);
    std::uint64_t raw = 0;
    for (std::uint64_t left = range; left != 0 && at_ < size_; left >>= 8) raw = raw << 8 | data_[at_++];
    const std::uint64_t offset = range == UINT64_MAX ? raw : raw % (range + 1);
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(lo) + offset);
  }

  [[nodiscard]] bool Bool() { return Int(0, 1) == 1; }

  // Up to maxUnits UTF-16 units: most bytes pick one of `common` (delimiters,
  // digits, letters the code looks for), the others are a raw unit.
  [[nodiscard]] std::u16string Text(std::size_t maxUnits, std::u16string_view common) {
    std::u16string text;
    while (text.size() < maxUnits && at_ < size_) {
      const std::uint8_t b = data_[at_++];
      if (b < 0xF0 && !common.empty()) {
        text += common[b % common.size()];
      } else {
        text += static_cast<char16_t>(Int(0, 0xFFFF));
      }
    }
    return text;
  }

  // What the reads above left.
  [[nodiscard]] std::span<const std::uint8_t> Rest() {
    const std::span<const std::uint8_t> rest(data_ + at_, size_ - at_);
    at_ = size_;
    return rest;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace orvane::fuzzing
