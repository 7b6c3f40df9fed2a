#include "display/stretched_text_win.h"

// After the window headers, which these need.
#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <utility>

#include "display/color_ref_win.h"
#include "display/font_fit.h"
#include "display/log_font_win.h"
#include "display/text_rules.h"
#include "platform/text_win.h"
#include "platform/user_error.h"

namespace orvane {
namespace {

constexpr int kSlack = 16;  // pixels at 96 dpi that the field reaches beyond each side

}  // namespace

int InnerBorder(HWND window) noexcept {
  return ::MulDiv(kInnerBorder, static_cast<int>(::GetDpiForWindow(window)), 96);
}

HWND StretchedText::Create(HWND window, HINSTANCE instance, int id) {
  window_ = window;
  HWND edit = ::CreateWindowExW(
      0, L"EDIT", L"Orvane", WS_CHILD | WS_VISIBLE | ES_CENTER | ES_AUTOHSCROLL | ES_NOHIDESEL, 0,
      0, 0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (!edit) throw UserError(u"Cannot create the text field");
  field_.Attach(edit);
  SetColors(font_.color, kWhite);
  // Through the font record, which bounds the face name to what LOGFONTW holds.
  FontRecord record = FitRecord(0, font_.height, 1, font_.face, font_.style);
  record.charSet = font_.charSet;
  LOGFONTW initial = ToLogFont(record);
  fontHandle_.reset(::CreateFontIndirectW(&initial));
  ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle_.get()), FALSE);
  ::SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  Layout();
  return edit;
}

int StretchedText::Slack() const noexcept {
  return ::MulDiv(kSlack, static_cast<int>(::GetDpiForWindow(window_)), 96);
}

SIZE StretchedText::ClientSize() const noexcept {
  RECT rc{};
  ::GetClientRect(window_, &rc);
  return {rc.right, rc.bottom};
}

void StretchedText::Layout() {
  if (!field_.hwnd()) return;
  SIZE size = ClientSize();
  // The field reaches a little beyond both sides of the client area, where it
  // is clipped: a line fitted to the exact width then leaves room for the
  // caret after its last character, and the edit control has no reason to scroll.
  int slack = Slack();
  ::MoveWindow(field_.hwnd(), -slack, 0, size.cx + 2 * slack, size.cy, TRUE);
}

void StretchedText::Refit() {
  const std::u16string text = field_.Text();
  const SIZE client = ClientSize();
  FitFont(text, client);
  UpdateCaption(text, client);
}

void StretchedText::FitFont(const std::u16string& text, SIZE client) {
  int n = AnsiLength(text);
  if (n == 0) return;
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
  ::SendMessageW(field_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  // The edit control takes margins from every new font; the line must reach
  // both edges.
  ::SendMessageW(field_.hwnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  fontHandle_ = std::move(font);  // releases the replaced font, no longer in use
  fittedClientSize_ = client;
  bool typed = std::exchange(typing_, false);
  // Typing follows the caret, as in any text field; otherwise a line too long
  // for the window shows its beginning.
  if (LineOverflows(client.cx, n) && !typed) {
    ShowLineStart();
  } else {
    ScrollHome();
  }
}

void StretchedText::ScrollHome() {
  // A single-line edit control scrolls to follow the caret, and keeps that
  // scroll when a narrower font arrives: typing at the end of a fitted line
  // would leave its first characters out of view. Taking the caret to the
  // start scrolls back; the selection is then put back as it was. A single
  // line scrolls by whole characters: the first one shown says whether it
  // scrolled, without laying out the line in the new font a paint lays out.
  HWND edit = field_.hwnd();
  if (::SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0) == 0) return;
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  ::SendMessageW(edit, EM_SETSEL, 0, 0);
  ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
  ::SendMessageW(edit, EM_SETSEL, start, end);
}

void StretchedText::ShowLineStart() {
  // The field scrolls to wherever its caret is, so the caret goes to the start;
  // a selection from the start stays, its caret end at the start. The margin
  // moves the first character out from under the field's clipped left edge.
  HWND edit = field_.hwnd();
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  ::SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(Slack(), 0));
  // Text laid out in the previous, wider font can reach past the field's 16-bit
  // coordinates and leave its scroll position before the start (Wine): a trip
  // to the end and back makes the field scroll right home.
  ::SendMessageW(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
  ::SendMessageW(edit, EM_SETSEL, start == 0 ? end : 0, 0);
  ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

void StretchedText::UpdateCaption(const std::u16string& text, SIZE client) {
  std::u16string caption = CaptionText(text, client.cx, client.cy, font_.face);
  // Setting the same caption again would only repaint the frame (Enter, a move).
  if (caption == caption_) return;
  ::SetWindowTextW(window_, W(caption));
  caption_ = std::move(caption);
}

void StretchedText::OnResize() {
  if (!fitting_ || field_.TextLength() == 0) return;
  // The first show and a move without resize report the size already fitted;
  // refitting would build the very same font again.
  SIZE client = ClientSize();
  if (client.cx == fittedClientSize_.cx && client.cy == fittedClientSize_.cy) return;
  Refit();
}

void StretchedText::OnTextChanged() {
  // The refit's own changes to the field (scrolling, selection) notify nothing.
  if (!changeAttached_) return;
  changeAttached_ = false;
  struct Reattach {
    bool& attached;
    ~Reattach() { attached = true; }
  } reattach{changeAttached_};
  Refit();
}

void StretchedText::OnCharacter(wchar_t& key) {
  if (key != L'\r' && key != L'\n') {
    typing_ = true;
    return;
  }
  key = 0;
  if (EnterToggle(field_.SelectionLength(), field_.TextLength()) == EnterAction::CaretToEnd) {
    field_.CaretToEnd();
    selectAll_ = false;
  } else {
    field_.SelectAll();
    selectAll_ = true;
  }
  Refit();
}

bool StretchedText::OnMouseMove(WPARAM keys) {
  if (!(keys & MK_LBUTTON)) return false;
  // End the capture the text field took on the button press, then let the
  // platform move the window as if its caption bar were dragged.
  ::SetCapture(window_);
  ::ReleaseCapture();
  ::SendMessageW(window_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
  return true;
}

void StretchedText::Paint() {
  HWND edit = field_.hwnd();
  PaintScope paint(edit);
  RECT rc{};
  ::GetClientRect(edit, &rc);
  if (rc.right <= 0 || rc.bottom <= 0) return;
  // Painting off screen and copying keeps refits from flickering; the buffer
  // only grows, so resizing does not churn bitmaps.
  if (!paintBuffer_ || paintBufferSize_.cx < rc.right || paintBufferSize_.cy < rc.bottom) {
    paintBufferSize_ = {std::max(rc.right, paintBufferSize_.cx),
                        std::max(rc.bottom, paintBufferSize_.cy)};
    if (guard_) {
      // Pixels the guard can read as they were drawn.
      void* bits = nullptr;
      paintBuffer_ = TopDownDib(paint.dc(), paintBufferSize_.cx, paintBufferSize_.cy, 32, bits);
      guardedPixels_ = static_cast<std::uint32_t*>(bits);
    } else {
      paintBuffer_.reset(
          ::CreateCompatibleBitmap(paint.dc(), paintBufferSize_.cx, paintBufferSize_.cy));
    }
  }
  UniqueDC memory(::CreateCompatibleDC(paint.dc()));
  if (!memory || !paintBuffer_) {
    // A picture the guard cannot see goes to the window on the cover.
    if (guard_) SetCovered(true);
    ::DefSubclassProc(edit, WM_PAINT, reinterpret_cast<WPARAM>(paint.dc()), 0);
    return;
  }
  SelectedObject buffer(memory.get(), paintBuffer_.get());
  ::FillRect(memory.get(), &rc, backBrush_.get());
  keyedPaint_ = true;
  ::DefSubclassProc(edit, WM_PAINT, reinterpret_cast<WPARAM>(memory.get()), 0);
  keyedPaint_ = false;
  if (guard_) Guard(rc);
  const RECT& area = paint.area();
  ::BitBlt(paint.dc(), area.left, area.top, area.right - area.left, area.bottom - area.top,
           memory.get(), area.left, area.top, SRCCOPY);
}

void StretchedText::Guard(const RECT& field) {
  // Only the part in the client area shows; the slack beyond it is clipped.
  RECT client{};
  ::GetClientRect(window_, &client);
  ::MapWindowPoints(window_, field_.hwnd(), reinterpret_cast<POINT*>(&client), 2);
  RECT shown{};
  if (!::IntersectRect(&shown, &client, &field)) return;
  ::GdiFlush();  // the drawing reaches the pixels before they are read
  const int stride = paintBufferSize_.cx;
  SetCovered(guard_->Check(guardedPixels_ + shown.top * stride + shown.left,
                           shown.right - shown.left, shown.bottom - shown.top, stride));
}

void StretchedText::SetCovered(bool covered) {
  coverBrush_.reset(covered ? ::CreateSolidBrush(ToColorRef(guard_->Cover())) : nullptr);
}

void StretchedText::BeforeFocus() {
  // The edit control's own paint as it takes the focus never shows a picture
  // the guard has not judged: what changed since the last paint is painted first.
  if (guard_) ::UpdateWindow(field_.hwnd());
}

void StretchedText::OpenInputMethod() {
  // Open with the focus, so Japanese can be typed at once.
  if (HIMC context = ::ImmGetContext(field_.hwnd())) {
    ::ImmSetOpenStatus(context, TRUE);
    ::ImmReleaseContext(field_.hwnd(), context);
  }
}

HBRUSH StretchedText::Colorize(HDC dc) const {
  // The edit control paints outside Paint too (as it takes the focus): on the
  // cover while the last picture needed it.
  const bool cover = coverBrush_ && !keyedPaint_;
  ::SetTextColor(dc, ToColorRef(font_.color));
  ::SetBkColor(dc, ToColorRef(cover ? guard_->Cover() : backColor_));
  return cover ? coverBrush_.get() : backBrush_.get();
}

void StretchedText::SetColors(Color text, Color back) {
  font_.color = text;
  backColor_ = back;
  backBrush_.reset(::CreateSolidBrush(ToColorRef(back)));
  if (field_.hwnd()) ::InvalidateRect(field_.hwnd(), nullptr, FALSE);
}

void StretchedText::SetGuard(PictureGuard* guard) {
  guard_ = guard;
  coverBrush_.reset();
  // The next paint makes a buffer of the other kind: pixels to read while
  // guarded, the device's own otherwise.
  paintBuffer_.reset();
  guardedPixels_ = nullptr;
  paintBufferSize_ = {};
  if (field_.hwnd()) ::InvalidateRect(field_.hwnd(), nullptr, FALSE);
}

void StretchedText::SetFace(std::u16string face, unsigned style) {
  font_.face = std::move(face);
  font_.style = style;
  Refit();
}

void StretchedText::CaretToEndHidden() {
  field_.CaretToEnd();
  ::HideCaret(field_.hwnd());
}

void StretchedText::ClearAndType() {
  field_.SetText(u"");
  OnResize();
}

void StretchedText::Cut() const { ::SendMessageW(field_.hwnd(), WM_CUT, 0, 0); }
void StretchedText::Copy() const { ::SendMessageW(field_.hwnd(), WM_COPY, 0, 0); }
void StretchedText::Paste() const { ::SendMessageW(field_.hwnd(), WM_PASTE, 0, 0); }
void StretchedText::Delete() const { ::SendMessageW(field_.hwnd(), WM_CLEAR, 0, 0); }
void StretchedText::Undo() const { ::SendMessageW(field_.hwnd(), WM_UNDO, 0, 0); }

void StretchedText::ToggleSelectAll() {
  selectAll_ = !selectAll_;
  if (selectAll_) {
    field_.SelectAll();
  } else {
    field_.CaretToEnd();
  }
}

}  // namespace orvane
