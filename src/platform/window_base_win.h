#pragma once
// The procedure of every window and dialog whose messages a C++ object serves.
// The object comes with the creation (CreateWindowExW's parameter, the
// dialog's init parameter), is kept with the window until it goes, and its
// OnMessage sees every message in between. This is the one place where a
// failure of a message's handler is caught: it is shown in the default error
// report and the object says what the message then returns.

#include <type_traits>

#include "platform/message_boxes_win.h"
#include "platform/sdk_win.h"

namespace orvane {

enum class WindowKind {
  Window,        // a window of a registered class: `this` in lpCreateParams
  Dialog,        // a dialog of the program's own: `this` as the init parameter
  HookedDialog,  // a common dialog's hook: Self::FromInitParam finds `this`
};

template <typename Self, WindowKind Kind = WindowKind::Window>
class WindowBase {
 public:
  using Result =
      std::conditional_t<Kind == WindowKind::Window, LRESULT,
                         std::conditional_t<Kind == WindowKind::Dialog, INT_PTR, UINT_PTR>>;

  static Result CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Self* self = Born(message, lParam);
    if (self) {
      self->hwnd_ = hwnd;
      Keep(hwnd, self);
    } else {
      self = Kept(hwnd);
    }
    if (!self) return Unserved(hwnd, message, wParam, lParam);
    if (message == kLastMessage) {
      Keep(hwnd, nullptr);
      self->hwnd_ = nullptr;
      return Unserved(hwnd, message, wParam, lParam);
    }
    try {
      return self->OnMessage(message, wParam, lParam);
    } catch (...) {
      ReportCurrentException(hwnd);
      return self->AfterFailure();
    }
  }

 protected:
  WindowBase() = default;
  ~WindowBase() = default;

  HWND hwnd_ = nullptr;

 private:
  // A window learns of its end at WM_NCDESTROY; a common dialog's hook is not
  // sure to see more than WM_DESTROY.
  static constexpr UINT kLastMessage = Kind == WindowKind::HookedDialog ? WM_DESTROY : WM_NCDESTROY;
  // Common dialogs keep their own data in DWLP_USER: a hook keeps it aside.
  static constexpr wchar_t kProperty[] = L"Orvane.Self";

  static Self* Born(UINT message, LPARAM lParam) noexcept {
    if constexpr (Kind == WindowKind::Window) {
      if (message != WM_NCCREATE) return nullptr;
      return static_cast<Self*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    } else if constexpr (Kind == WindowKind::Dialog) {
      return message == WM_INITDIALOG ? reinterpret_cast<Self*>(lParam) : nullptr;
    } else {
      return message == WM_INITDIALOG ? Self::FromInitParam(lParam) : nullptr;
    }
  }

  static void Keep(HWND hwnd, Self* self) noexcept {
    if constexpr (Kind == WindowKind::Window) {
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else if constexpr (Kind == WindowKind::Dialog) {
      ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else if (self) {
      ::SetPropW(hwnd, kProperty, self);
    } else {
      ::RemovePropW(hwnd, kProperty);
    }
  }

  static Self* Kept(HWND hwnd) noexcept {
    if constexpr (Kind == WindowKind::Window) {
      return reinterpret_cast<Self*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    } else if constexpr (Kind == WindowKind::Dialog) {
      return reinterpret_cast<Self*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    } else {
      return static_cast<Self*>(::GetPropW(hwnd, kProperty));
    }
  }

  static Result Unserved(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if constexpr (Kind == WindowKind::Window) {
      return ::DefWindowProcW(hwnd, message, wParam, lParam);
    } else {
      return FALSE;
    }
  }
};

}  // namespace orvane
