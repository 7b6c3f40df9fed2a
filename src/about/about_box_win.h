#pragma once
// The about box: a modal message dialog built at run time with the program's
// icon, the version lines and a gradient background drawn anew at every paint.

#include <string>

#include "platform/handles_win.h"
#include "platform/sdk_win.h"

namespace orvane {

class TForm1;
class ProgramRandom;

void About1Click(TForm1& form, bool checked);

struct DestroyIconHandle {
  void operator()(HICON h) const noexcept { ::DestroyIcon(h); }
};
using UniqueIcon = unique_handle<HICON, DestroyIconHandle>;

class AboutBox {
 public:
  AboutBox(HINSTANCE instance, ProgramRandom& random, std::u16string title, std::u16string text)
      : instance_(instance), random_(random), title_(std::move(title)), text_(std::move(text)) {}
  AboutBox(const AboutBox&) = delete;
  AboutBox& operator=(const AboutBox&) = delete;

  // Shows the box over the owner and returns when it is closed.
  void ShowModal(HWND owner);

 private:
  struct Gradient {
    COLORREF end = RGB(255, 255, 255);
    bool vertical = false;
  };

  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  void AboutBoxPaint();
  void Fill(HDC dc, const Gradient& gradient) const;

  HINSTANCE instance_;
  ProgramRandom& random_;
  std::u16string title_;
  std::u16string text_;
  HWND dialog_ = nullptr;
  HWND icon_ = nullptr;
  HWND label_ = nullptr;
  HWND ok_ = nullptr;
  UniqueFont font_;
  UniqueIcon iconImage_;
  Gradient gradient_;  // the last one painted, for controls that draw their parent's background
};

}  // namespace orvane
