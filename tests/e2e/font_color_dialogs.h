#pragma once
// The platform's font and colour dialogs as the program shows them, driven as a
// user does. Their control ids live here alone: under Wine both are plain
// #32770 dialogs with the classic controls.

#include <windows.h>

#include <optional>
#include <string>

#include "driver.h"

namespace e2e {

class FontDialogWindow {
 public:
  // The program's font dialog, once it is up; null when none comes.
  static FontDialogWindow WaitFor(const Orvane& app, std::chrono::milliseconds timeout = 10s);
  // Whether the program shows one now.
  static bool IsOpen(const Orvane& app);

  [[nodiscard]] HWND hwnd() const { return hwnd_; }
  [[nodiscard]] std::wstring Face() const;
  [[nodiscard]] std::wstring Size() const;
  [[nodiscard]] std::optional<COLORREF> Color() const;  // the colour box's entry
  bool ChooseFace(const std::wstring& face);
  bool ChooseColor(COLORREF colour);  // one of the colour box's entries
  void Apply();
  bool Ok();
  bool Cancel();

 private:
  HWND hwnd_ = nullptr;
};

class ColorDialogWindow {
 public:
  static ColorDialogWindow WaitFor(const Orvane& app, std::chrono::milliseconds timeout = 10s);

  [[nodiscard]] HWND hwnd() const { return hwnd_; }
  [[nodiscard]] COLORREF Rgb() const;  // what the red, green and blue boxes say
  void SetRgb(COLORREF colour);        // written into those boxes
  bool Ok();

 private:
  HWND hwnd_ = nullptr;
};

// The colour of the program's window margin, just outside its client area.
std::uint32_t MarginPixel(const Orvane& app);

}  // namespace e2e
