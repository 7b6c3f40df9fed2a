#pragma once
// An error whose message the user reads; raised anywhere, reported once by the
// window procedure's dispatch.

#include <stdexcept>
#include <string>
#include <string_view>

namespace orvane {

class UserError : public std::runtime_error {
 public:
  explicit UserError(std::u16string message)
      : std::runtime_error("Orvane error"), message_(std::move(message)) {}
  [[nodiscard]] const std::u16string& message() const noexcept { return message_; }

 private:
  std::u16string message_;
};

// The text of the default error report: the message, with a full stop added
// unless it already ends in "." or any character coded below it.
[[nodiscard]] std::u16string WithFullStop(std::u16string_view message);

}  // namespace orvane
