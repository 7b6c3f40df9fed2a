#pragma once
// Move-only owner of one COM interface pointer, released on every way out.
// No <windows.h>: anything with Release() will do, so the template is
// unit-tested on the host.

#include <utility>

namespace orvane {

template <typename T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  ~ComPtr() { reset(); }

  [[nodiscard]] T* get() const noexcept { return pointer_; }
  T* operator->() const noexcept { return pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }

  // Releases what is held and hands out the slot a creating call fills:
  // CoCreateInstance(..., IID_PPV_ARGS(link.put())).
  [[nodiscard]] T** put() noexcept {
    reset();
    return &pointer_;
  }
  void reset() noexcept {
    if (T* old = std::exchange(pointer_, nullptr)) old->Release();
  }

 private:
  T* pointer_ = nullptr;
};

}  // namespace orvane
