// The command menu: built from the table of commands, prepared from the
// window's state before it opens or a shortcut runs, and dispatched.

#include <array>
#include <string>

#include "about/about_box_win.h"
#include "app/main_window_win.h"
#include "app/user_error.h"
#include "desktop/help_win.h"
#include "desktop/shortcuts_win.h"
#include "display/font_color_commands_win.h"
#include "output/picture_win.h"
#include "output/printing_win.h"
#include "platform/message_boxes_win.h"
#include "platform/text_win.h"
#include "report/information_win.h"

namespace orvane {
namespace {

constexpr UINT_PTR kSystemMenuItem = 100;

std::u16string ItemText(const MenuRow& row, std::u16string_view caption) {
  std::u16string text(caption);
  std::u16string shortcut = ShortcutText(row.shortcut);
  if (!shortcut.empty()) text += u'\t' + shortcut;
  return text;
}

bool KeyDown(int key) noexcept { return (::GetKeyState(key) & 0x8000) != 0; }

// The primary screen's and work area's sizes, read afresh.
void ReadScreenMeasures(MenuSnapshot& s) {
  s.screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  s.screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  s.workAreaWidth = work.right - work.left;
  s.workAreaHeight = work.bottom - work.top;
}

}  // namespace

void TForm1::CreatePopupMenu1() {
  UniqueMenu root(::CreatePopupMenu());
  if (!root) throw UserError(u"Cannot create the command menu");
  // Submenus are created before their rows, which follow them in the table.
  std::array<HMENU, kCommandCount> submenus{};
  auto holder = [&](Cmd parent) { return parent == Cmd::None ? root.get() : submenus[IndexOf(parent)]; };
  for (const MenuRow& row : MenuRows()) {
    HMENU menu = holder(row.parent);
    switch (row.kind) {
      case RowKind::Separator:
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        break;
      case RowKind::Submenu: {
        HMENU sub = ::CreatePopupMenu();
        submenus[IndexOf(row.id)] = sub;
        std::u16string text(row.caption);
        // Owned by the parent from here on, destroyed with it.
        ::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), W(text));
        break;
      }
      case RowKind::Item: {
        std::u16string text = ItemText(row, row.caption);
        ::AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(row.id), W(text));
        break;
      }
    }
  }
  popupMenu1_ = std::move(root);
}

MenuSnapshot TForm1::Snapshot() const {
  MenuSnapshot s;
  s.text = {};  // filled by the caller, which owns the string
  s.selectionLength = Edit1.SelectionLength();
  s.canUndo = ::SendMessageW(Edit1.hwnd(), EM_CANUNDO, 0, 0) != 0;
  s.clipboardHasText = ::IsClipboardFormatAvailable(CF_TEXT) != 0;
  s.colorKey = modes_.colorKey;
  s.telop = modes_.telop;
  s.maximized = ::IsZoomed(hwnd_) != 0;
  s.topmost = (::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  RECT bounds{};
  ::GetWindowRect(hwnd_, &bounds);
  s.left = bounds.left;
  s.top = bounds.top;
  s.right = bounds.right;
  s.bottom = bounds.bottom;
  ReadScreenMeasures(s);
  for (int i = 0; i < kCommandCount; ++i) {
    s.withoutHandler[i] = HandlerOf(static_cast<Cmd>(static_cast<int>(Cmd::Clear1) + i)) == nullptr;
  }
  return s;
}

int TForm1::WorkWidth() const {
  MenuSnapshot s;
  ReadScreenMeasures(s);
  return orvane::WorkWidth(s, modes_.fullScreen);
}

int TForm1::WorkHeight() const {
  MenuSnapshot s;
  ReadScreenMeasures(s);
  return orvane::WorkHeight(s, modes_.fullScreen);
}

void TForm1::PopupMenu1Popup() {
  std::u16string text = Edit1.Text();
  MenuSnapshot snapshot = Snapshot();
  snapshot.text = text;
  menuState_ = PrepareMenu(snapshot);
  selectAll_ = menuState_.selectAll;
  modes_.fullScreen = menuState_.fullScreen;

  HMENU menu = popupMenu1_.get();
  for (const MenuRow& row : MenuRows()) {
    if (row.kind != RowKind::Item) continue;
    const ItemState& item = menuState_[row.id];
    auto id = static_cast<UINT>(row.id);
    ::EnableMenuItem(menu, id, MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
    ::CheckMenuItem(menu, id, MF_BYCOMMAND | (item.checked ? MF_CHECKED : MF_UNCHECKED));
  }
  for (auto [id, caption] : {std::pair{Cmd::Maximize1, &menuState_.maximizeCaption},
                             std::pair{Cmd::Exit1, &menuState_.exitCaption}}) {
    std::u16string text = ItemText(RowOf(id), *caption);
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(W(text));
    ::SetMenuItemInfoW(menu, static_cast<UINT>(id), FALSE, &info);
  }
}

void TForm1::OpenPopupMenu1(POINT screen) {
  if (running_ != Cmd::None) {
    // Not inside a running command: once it has returned.
    Defer([this, screen] { OpenPopupMenu1(screen); });
    return;
  }
  PopupMenu1Popup();
  UINT chosen = ::TrackPopupMenu(popupMenu1_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                 screen.x, screen.y, 0, hwnd_, nullptr);
  if (chosen != 0) ClickItem(static_cast<Cmd>(chosen));
}

void TForm1::ClickItem(Cmd command) {
  CommandHandler run = HandlerOf(command);
  if (!run) return;
  // A dialog's command arriving again while it runs (a second Ctrl+P while a
  // job is produced) is dropped: one dialog and one job at a time.
  if (running_ == command && RowOf(command).caption.ends_with(u"...")) return;
  if (running_ != Cmd::None) {
    // Arrived through the running command's message loop (a queued Escape):
    // it runs once that command has returned, never inside it, prepared
    // afresh as a key would be.
    Defer([this, command] {
      PopupMenu1Popup();
      if (IsAvailable(menuState_, command)) ClickItem(command);
    });
    return;
  }
  ItemState& item = menuState_[command];
  if (RowOf(command).autoCheck) item.checked = !item.checked;
  running_ = command;
  try {
    run(*this, item.checked);
  } catch (...) {
    ReportCurrentException(hwnd_);
  }
  running_ = Cmd::None;
  if (closePending_) {
    closePending_ = false;
    deferred_.clear();
    Close();
    return;
  }
  // In the order they came; each may defer more behind the rest.
  while (!deferred_.empty() && running_ == Cmd::None) {
    std::function<void()> next = std::move(deferred_.front());
    deferred_.pop_front();
    next();
  }
}

void TForm1::Defer(std::function<void()> action) {
  if (deferred_.size() < kMaxDeferred) deferred_.push_back(std::move(action));
}

bool TForm1::PreTranslateMessage(const MSG& message) {
  if ((message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) ||
      message.hwnd != Edit1.hwnd()) {
    return false;
  }
  std::uint8_t modifiers = 0;
  if (KeyDown(VK_CONTROL)) modifiers |= kCtrl;
  if (KeyDown(VK_SHIFT)) modifiers |= kShift;
  if (KeyDown(VK_MENU)) modifiers |= kAlt;
  // Right Alt as AltGr arrives as Ctrl+Alt: a character, never a shortcut.
  bool altGr = KeyDown(VK_RMENU);
  Cmd command = FindShortcut(static_cast<std::uint16_t>(message.wParam), modifiers, altGr);
  if (command == Cmd::None) return false;
  try {
    PopupMenu1Popup();
    if (!IsAvailable(menuState_, command)) return false;  // the key goes on to the field
    ClickItem(command);
  } catch (...) {
    // Reported like any handler's failure; the key was meant for the command.
    ReportCurrentException(hwnd_);
  }
  return true;
}

namespace {

struct HandlerRow {
  Cmd id;
  TForm1::CommandHandler run;
};

// Every command's row in the order of Cmd, so the lookup is an index.
template <std::size_t N>
constexpr bool CoversEveryCommandInOrder(const std::array<HandlerRow, N>& rows) {
  if (N != static_cast<std::size_t>(kCommandCount)) return false;
  for (std::size_t i = 0; i < N; ++i) {
    if (IndexOf(rows[i].id) != static_cast<int>(i)) return false;
  }
  return true;
}

void Send(const TextField& field, UINT message) { ::SendMessageW(field.hwnd(), message, 0, 0); }

}  // namespace

TForm1::CommandHandler TForm1::HandlerOf(Cmd command) noexcept {
  // One row per command; null for a command whose subsystem is not built in,
  // which the menu greys and whose key reaches the text field.
  static constexpr std::array<HandlerRow, kCommandCount> kHandlers{{
      {Cmd::Clear1, [](TForm1& f, bool) { f.Clear1Click(); }},
      {Cmd::Cut1, [](TForm1& f, bool) { Send(f.Edit1, WM_CUT); }},
      {Cmd::Copy1, [](TForm1& f, bool) { Send(f.Edit1, WM_COPY); }},
      {Cmd::Paste1, [](TForm1& f, bool) { Send(f.Edit1, WM_PASTE); }},
      {Cmd::SelectAll1, [](TForm1& f, bool) { f.SelectAll1Click(); }},
      {Cmd::Delete1, [](TForm1& f, bool) { Send(f.Edit1, WM_CLEAR); }},
      {Cmd::Undo1, [](TForm1& f, bool) { Send(f.Edit1, WM_UNDO); }},
      {Cmd::FullScreen1, [](TForm1& f, bool) { f.FullScreen1Click(); }},
      {Cmd::CopyImage1, &CopyImage1Click},
      {Cmd::SaveAs1, &SaveAs1Click},
      {Cmd::Print0, nullptr},
      {Cmd::Print1, &Print1Click},
      {Cmd::Print2, &Print2Click},
      {Cmd::OrvaneFloat1, [](TForm1& f, bool) { f.OrvaneFloat1Click(); }},
      {Cmd::Information1, &Information1Click},
      {Cmd::SelectFont1, &SelectFont1Click},
      {Cmd::SelectColor1, nullptr},
      {Cmd::FontColor1, &FontColor1Click},
      {Cmd::BackColor1, &BackColor1Click},
      {Cmd::AlterNate1, &AlterNate1Click},
      {Cmd::Window1, nullptr},
      {Cmd::Centering1, [](TForm1& f, bool) { f.Centering1Click(); }},
      {Cmd::StayOnTop1, [](TForm1& f, bool checked) { f.StayOnTop1Click(checked); }},
      {Cmd::Maximize1, [](TForm1& f, bool checked) { f.Maximize1Click(checked); }},
      {Cmd::Minimize1, [](TForm1& f, bool) { f.Minimize1Click(); }},
      {Cmd::N2, nullptr},
      {Cmd::ScDeskTop1, &ScDeskTop1Click},
      {Cmd::ScStartMenu1, &ScStartMenu1Click},
      {Cmd::ScStartUp1, &ScStartUp1Click},
      {Cmd::Help1, nullptr},
      {Cmd::Help2, &Help2Click},
      {Cmd::About1, &About1Click},
      {Cmd::Properties1, &Properties1Click},
      {Cmd::Donation1, &Donation1Click},
      {Cmd::HomeSite1, &HomeSite1Click},
      {Cmd::ClearClose1, [](TForm1& f, bool) { f.ClearClose1Click(); }},
      {Cmd::Exit1, [](TForm1& f, bool) { f.Exit1Click(); }},
  }};
  static_assert(CoversEveryCommandInOrder(kHandlers), "one handler row per command, in the order of Cmd");
  return kHandlers[IndexOf(command)].run;
}

void TForm1::AddSystemMenuItem() {
  HMENU system = ::GetSystemMenu(hwnd_, FALSE);
  if (!system) return;
  ::AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(system, MF_STRING, kSystemMenuItem, L"Orvaneメニュー");
  ::DrawMenuBar(hwnd_);
}

void TForm1::FormSysCommand(WPARAM command, LPARAM lParam) {
  // Compared whole: masking the low four bits, as system commands usually
  // are, would turn 100 into 96.
  if ((command & 0xFFFFFFFFu) == kSystemMenuItem) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    OpenPopupMenu1(cursor);
  } else {
    ::DefWindowProcW(hwnd_, WM_SYSCOMMAND, command, lParam);
  }
  ::DrawMenuBar(hwnd_);
}

}  // namespace orvane
