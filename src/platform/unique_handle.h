#pragma once
// Move-only owner of one handle. Close is a stateless functor that releases a
// non-null handle; Traits::invalid() names the value that owns nothing.
// No <windows.h> here: the template is unit-tested on the host.

#include <utility>

namespace orvane {

template <typename T>
struct NullIsInvalid {
  static constexpr T invalid() noexcept { return T{}; }
};

template <typename T, typename Close, typename Traits = NullIsInvalid<T>>
class unique_handle {
 public:
  unique_handle() noexcept = default;
  explicit unique_handle(T handle) noexcept : handle_(handle) {}
  unique_handle(const unique_handle&) = delete;
  unique_handle& operator=(const unique_handle&) = delete;
  unique_handle(unique_handle&& other) noexcept : handle_(other.release()) {}
  unique_handle& operator=(unique_handle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~unique_handle() { reset(); }

  [[nodiscard]] T get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::invalid(); }

  // Gives up ownership without closing.
  [[nodiscard]] T release() noexcept { return std::exchange(handle_, Traits::invalid()); }

  // Closes what is owned, after taking the new handle, so that resetting to the
  // handle already owned cannot close it twice.
  void reset(T handle = Traits::invalid()) noexcept {
    T old = std::exchange(handle_, handle);
    if (old != Traits::invalid() && old != handle) Close{}(old);
  }

 private:
  T handle_ = Traits::invalid();
};

}  // namespace orvane
