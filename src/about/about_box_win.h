#pragma once
// The about box: a modal message dialog built at run time with the program's
// icon, the version lines and a gradient background drawn anew at every paint.

#include <string>

#include "display/window_context_win.h"
#include "platform/handles_win.h"
#include "platform/random_source.h"
#include "platform/sdk_win.h"
#include "platform/window_base_win.h"

namespace orvane {

class AboutCommand {
 public:
  explicit AboutCommand(WindowContext& context) noexcept : context_(context) {}

  void Show();

 private:
  WindowContext& context_;
};

class AboutBox : public WindowBase<AboutBox, WindowKind::Dialog> {
 public:
  AboutBox(HINSTANCE instance, RandomSource& random, std::u16string title, std::u16string text)
      : instance_(instance), random_(random), title_(std::move(title)), text_(std::move(text)) {}
  AboutBox(const AboutBox&) = delete;
  AboutBox& operator=(const AboutBox&) = delete;

  // Shows the box over the owner and returns when it is closed.
  void ShowModal(HWND owner);

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // A failure closes the box once it is reported.
  INT_PTR AfterFailure() noexcept;

 private:
  struct Gradient {
    COLORREF end = RGB(255, 255, 255);
    bool vertical = false;
  };

  void OnInitDialog();
  void AboutBoxPaint();
  void Fill(HDC dc, const Gradient& gradient) const;

  HINSTANCE instance_;
  RandomSource& random_;
  std::u16string title_;
  std::u16string text_;
  HWND icon_ = nullptr;
  HWND label_ = nullptr;
  HWND ok_ = nullptr;
  UniqueFont font_;
  UniqueIcon iconImage_;
  Gradient gradient_;  // the last one painted, for controls that draw their parent's background
};

}  // namespace orvane
