// The command menu: built from the table of commands, prepared from the
// window's state before it opens or a shortcut runs, and dispatched.

#include <string>

#include "app/main_window_win.h"
#include "app/user_error.h"
#include "platform/message_boxes_win.h"
#include "platform/text_win.h"

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
  s.colorKey = colorKey_;
  s.telop = telop_;
  s.maximized = ::IsZoomed(hwnd_) != 0;
  s.topmost = (::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  RECT bounds{};
  ::GetWindowRect(hwnd_, &bounds);
  s.left = bounds.left;
  s.top = bounds.top;
  s.right = bounds.right;
  s.bottom = bounds.bottom;
  ReadScreenMeasures(s);
  return s;
}

int TForm1::WorkWidth() const {
  MenuSnapshot s;
  ReadScreenMeasures(s);
  return orvane::WorkWidth(s, fullScreen_);
}

int TForm1::WorkHeight() const {
  MenuSnapshot s;
  ReadScreenMeasures(s);
  return orvane::WorkHeight(s, fullScreen_);
}

void TForm1::PopupMenu1Popup() {
  std::u16string text = Edit1.Text();
  MenuSnapshot snapshot = Snapshot();
  snapshot.text = text;
  menuState_ = PrepareMenu(snapshot);
  selectAll_ = menuState_.selectAll;
  fullScreen_ = menuState_.fullScreen;

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
  PopupMenu1Popup();
  UINT chosen = ::TrackPopupMenu(popupMenu1_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                 screen.x, screen.y, 0, hwnd_, nullptr);
  if (chosen != 0) ClickItem(static_cast<Cmd>(chosen));
}

void TForm1::ClickItem(Cmd command) {
  ItemState& item = menuState_[command];
  if (RowOf(command).autoCheck) item.checked = !item.checked;
  RunCommand(command, item.checked);
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

void TForm1::RunCommand(Cmd command, bool checked) {
  HWND edit = Edit1.hwnd();
  switch (command) {
    case Cmd::Clear1: Clear1Click(); break;
    case Cmd::Cut1: ::SendMessageW(edit, WM_CUT, 0, 0); break;
    case Cmd::Copy1: ::SendMessageW(edit, WM_COPY, 0, 0); break;
    case Cmd::Paste1: ::SendMessageW(edit, WM_PASTE, 0, 0); break;
    case Cmd::SelectAll1: SelectAll1Click(); break;
    case Cmd::Delete1: ::SendMessageW(edit, WM_CLEAR, 0, 0); break;
    case Cmd::Undo1: ::SendMessageW(edit, WM_UNDO, 0, 0); break;
    case Cmd::FullScreen1: FullScreen1Click(); break;
    case Cmd::OrvaneFloat1: OrvaneFloat1Click(); break;
    case Cmd::Centering1: Centering1Click(); break;
    case Cmd::StayOnTop1: StayOnTop1Click(checked); break;
    case Cmd::Maximize1: Maximize1Click(checked); break;
    case Cmd::Minimize1: Minimize1Click(); break;
    case Cmd::ClearClose1: ClearClose1Click(); break;
    case Cmd::Exit1: Exit1Click(); break;
    default:
      // Printing, telop mode, pictures, the report, font and colour, shortcuts,
      // help and the about box arrive with their own subsystems.
      break;
  }
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
