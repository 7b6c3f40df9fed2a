// The stretched line: TForm1's handlers that keep the text filling the window.

#include <algorithm>

#include "app/main_window_win.h"
#include "app/user_error.h"
#include "display/font_fit.h"
#include "display/text_rules.h"
#include "platform/fonts_win.h"
#include "platform/text_win.h"

namespace orvane {
void TForm1::FitFont() {
  std::u16string text = Edit1.Text();
  int n = AnsiLength(text);
  if (n == 0) return;
  SIZE client = ClientSize();
  FontRecord record = FitRecord(client.cx, client.cy, n, font_.face, font_.style);
  LOGFONTW logFont = ToLogFont(record);
  UniqueFont font(::CreateFontIndirectW(&logFont));
  if (!font) throw UserError(u"Cannot create the display font");
  // The created font carries exactly the record, so its properties are read
  // from the record rather than asked of the handle.
  font_.height = record.height;
  font_.style = StyleOf(record);
  font_.charSet = record.charSet;
  font_.face = FaceOf(record);
  ::SendMessageW(Edit1.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  // The edit control takes margins from every new font; the line must reach
  // both edges.
  ::SendMessageW(Edit1.hwnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  fontHandle_ = std::move(font);  // releases the replaced font, no longer in use
  fittedClientSize_ = client;
  ScrollEdit1Home();
}

void TForm1::SetFontFace(std::u16string face, unsigned style) {
  font_.face = std::move(face);
  font_.style = style;
  FitFont();
  UpdateCaption();
}

void TForm1::CaretToEndHidden() {
  Edit1.CaretToEnd();
  ::HideCaret(Edit1.hwnd());
}

void TForm1::ScrollEdit1Home() {
  // A single-line edit control scrolls to follow the caret, and keeps that
  // scroll when a narrower font arrives: typing at the end of a fitted line
  // would leave its first characters out of view. Taking the caret to the
  // start scrolls back; the selection is then put back as it was.
  HWND edit = Edit1.hwnd();
  LRESULT first = ::SendMessageW(edit, EM_POSFROMCHAR, 0, 0);
  if (first == -1 || static_cast<short>(LOWORD(first)) >= 0) return;
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  ::SendMessageW(edit, EM_SETSEL, 0, 0);
  ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
  ::SendMessageW(edit, EM_SETSEL, start, end);
}

void TForm1::UpdateCaption() {
  SIZE client = ClientSize();
  std::u16string caption = CaptionText(Edit1.Text(), client.cx, client.cy, font_.face);
  // Setting the same caption again would only repaint the frame (Enter, a move).
  if (caption == caption_) return;
  ::SetWindowTextW(hwnd_, W(caption));
  caption_ = std::move(caption);
}

void TForm1::FormResize() {
  if (!formCreated_ || Edit1.TextLength() == 0) return;
  // The first show and a move without resize report the size already fitted;
  // refitting would build the very same font again.
  SIZE client = ClientSize();
  if (client.cx == fittedClientSize_.cx && client.cy == fittedClientSize_.cy) return;
  FitFont();
  UpdateCaption();
}

void TForm1::Edit1Change() {
  edit1ChangeAttached_ = false;
  struct Reattach {
    bool& attached;
    ~Reattach() { attached = true; }
  } reattach{edit1ChangeAttached_};
  FitFont();
  UpdateCaption();
}

void TForm1::Edit1KeyPress(wchar_t& key) {
  if (key != L'\r' && key != L'\n') return;
  key = 0;
  if (EnterToggle(Edit1.SelectionLength(), Edit1.TextLength()) == EnterAction::CaretToEnd) {
    Edit1.CaretToEnd();
    selectAll_ = false;
  } else {
    Edit1.SelectAll();
    selectAll_ = true;
  }
  FitFont();
  UpdateCaption();
}

void TForm1::Clear1Click() {
  Edit1.SetText(u"");
  FormResize();
}

void TForm1::SelectAll1Click() {
  if (selectAll_) {
    selectAll_ = false;
    Edit1.CaretToEnd();
  } else {
    selectAll_ = true;
    Edit1.SelectAll();
  }
}

bool TForm1::Edit1MouseMove(WPARAM keys) {
  if (!(keys & MK_LBUTTON)) return false;
  // End the capture the text field took on the button press, then let the
  // platform move the window as if its caption bar were dragged.
  ::SetCapture(hwnd_);
  ::ReleaseCapture();
  ::SendMessageW(hwnd_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
  return true;
}

}  // namespace orvane
