#pragma once
// The window's picture: onto the clipboard, or into a bitmap file chosen in a
// save dialog.

#include "display/window_context_win.h"

namespace orvane {

class Picture {
 public:
  explicit Picture(WindowContext& context) noexcept : context_(context) {}

  void CopyToClipboard();
  void SaveAsBitmap();

 private:
  WindowContext& context_;
};

}  // namespace orvane
