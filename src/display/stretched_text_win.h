#pragma once
// The stretched line: the text field that shows the text, the font rebuilt
// to fill the window at every change of text, font or size, the caption that
// names them, and the field's double-buffered paint.

#include <cstdint>
#include <string>

#include "display/colors.h"
#include "display/display_font.h"
#include "platform/handles_win.h"
#include "platform/sdk_win.h"
#include "platform/text_field_win.h"

namespace orvane {

// The ring in the window's own colour around the text: pixels at 96 dpi, and
// at the window's DPI.
inline constexpr int kInnerBorder = 3;
[[nodiscard]] int InnerBorder(HWND window) noexcept;

// A last look at each picture of the field before it reaches the window: in
// telop mode under Wine, where the colour key makes the window an X shape out
// of its picture, and a picture too complex for one would end the program.
class PictureGuard {
 public:
  // The visible part of the picture as keyed: 32-bit pixels 0x00RRGGBB, rows
  // `stride` pixels apart. True when the guard has painted the key over.
  virtual bool Check(std::uint32_t* pixels, int width, int height, int stride) = 0;
  // The colour the key is painted over in.
  [[nodiscard]] virtual Color Cover() const = 0;

 protected:
  ~PictureGuard() = default;
};

class StretchedText {
 public:
  StretchedText() = default;
  StretchedText(const StretchedText&) = delete;
  StretchedText& operator=(const StretchedText&) = delete;

  // Creates the text field in the window, in the display font and colours.
  HWND Create(HWND window, HINSTANCE instance, int id);
  // From here on every resize refits: the settings have been read.
  void StartFitting() noexcept { fitting_ = true; }

  [[nodiscard]] const TextField& Field() const noexcept { return field_; }
  [[nodiscard]] const DisplayFont& Font() const noexcept { return font_; }
  [[nodiscard]] Color BackColor() const noexcept { return backColor_; }

  // FitFont: the font that fills the client area with the text, installed.
  void FitFont() { FitFont(field_.Text(), ClientSize()); }
  // FitFont, then UpdateCaption ("text W x H face"), on one reading of the
  // text and the client size.
  void Refit();

  // The window's messages the line answers.
  void Layout();
  void OnResize();
  void OnTextChanged();
  void OnCharacter(wchar_t& key);  // 0 afterwards: swallowed
  [[nodiscard]] bool OnMouseMove(WPARAM keys);
  void Paint();
  // Before the field takes the focus: a single-line edit control then paints
  // itself at once, outside WM_PAINT (Wine).
  void BeforeFocus();
  void OpenInputMethod();
  [[nodiscard]] HBRUSH Colorize(HDC dc) const;

  // What the font and colour commands and the settings change.
  void SetColors(Color text, Color back);
  // From here on every picture goes past the guard first; nullptr: none does.
  void SetGuard(PictureGuard* guard);
  // A new face or style: the font record, then the refit and the caption.
  void SetFace(std::u16string face, unsigned style);
  // The font as the settings file keeps it, before the first fit; the
  // colours go through SetColors.
  void Restore(const DisplayFont& font) { font_ = font; }
  // The caret to the end with nothing selected, and hidden.
  void CaretToEndHidden();
  // The select-all flag: the whole text selected, as the menu marks it.
  [[nodiscard]] bool WholeTextSelected() const noexcept { return selectAll_; }
  void SetWholeTextSelected(bool selected) noexcept { selectAll_ = selected; }

  // Commands.
  void ClearAndType();
  void Cut() const;
  void Copy() const;
  void Paste() const;
  void ToggleSelectAll();
  void Delete() const;
  void Undo() const;

 private:
  [[nodiscard]] int Slack() const noexcept;
  [[nodiscard]] SIZE ClientSize() const noexcept;
  void FitFont(const std::u16string& text, SIZE client);
  void UpdateCaption(const std::u16string& text, SIZE client);
  void ScrollHome();
  void ShowLineStart();
  void Guard(const RECT& field);
  void SetCovered(bool covered);

  HWND window_ = nullptr;
  TextField field_;
  DisplayFont font_;
  UniqueFont fontHandle_;
  SIZE fittedClientSize_{-1, -1};  // the client size of the last fit
  std::u16string caption_;         // the caption UpdateCaption last set
  Color backColor_ = kWhite;
  UniqueBrush backBrush_;
  UniqueBitmap paintBuffer_;  // the field's off-screen picture, kept between paints
  SIZE paintBufferSize_{};
  PictureGuard* guard_ = nullptr;
  std::uint32_t* guardedPixels_ = nullptr;  // the buffer's pixels while guarded
  bool keyedPaint_ = false;  // Paint draws the picture as keyed, for the guard to see
  UniqueBrush coverBrush_;  // while the guard painted the key over in the last picture
  bool selectAll_ = false;
  bool changeAttached_ = true;  // the field's change notification
  bool typing_ = false;         // a typed character is on its way into the field
  bool fitting_ = false;        // resizes before the settings are read fit nothing
};

}  // namespace orvane
