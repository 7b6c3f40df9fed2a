#include "app/command_menu_win.h"

#include <array>
#include <string>
#include <utility>

#include "display/stretched_text_win.h"
#include "platform/message_boxes_win.h"
#include "platform/screen_win.h"
#include "platform/text_win.h"
#include "platform/user_error.h"

namespace orvane {
namespace {

constexpr UINT_PTR kSystemMenuItem = 100;
constexpr LPARAM kPreviouslyDown = 1 << 30;  // a key message's repeat bit

std::u16string ItemText(const MenuRow& row, std::u16string_view caption) {
  std::u16string text(caption);
  std::u16string shortcut = ShortcutText(row.shortcut);
  if (!shortcut.empty()) text += u'\t' + shortcut;
  return text;
}

MenuSnapshot Snapshot(const WindowContext& context, std::u16string_view text) {
  HWND window = context.window;
  const TextField& field = context.text.Field();
  MenuSnapshot s;
  s.text = text;
  s.selectionLength = field.SelectionLength();
  s.canUndo = ::SendMessageW(field.hwnd(), EM_CANUNDO, 0, 0) != 0;
  s.clipboardHasText = ::IsClipboardFormatAvailable(CF_TEXT) != 0;
  s.colorKey = context.modes.colorKey;
  s.telop = context.modes.telop;
  s.maximized = ::IsZoomed(window) != 0;
  s.topmost = (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  s.left = bounds.left;
  s.top = bounds.top;
  s.right = bounds.right;
  s.bottom = bounds.bottom;
  const SIZE screen = ScreenSize();
  s.screenWidth = screen.cx;
  s.screenHeight = screen.cy;
  const RECT work = WorkArea();
  s.workAreaWidth = work.right - work.left;
  s.workAreaHeight = work.bottom - work.top;
  return s;
}

}  // namespace

void CommandMenu::Create() {
  UniqueMenu root(::CreatePopupMenu());
  if (!root) throw UserError(u"Cannot create the command menu");
  // Submenus are created before their rows, which follow them in the list.
  std::array<HMENU, kCommandCount> submenus{};
  auto holder = [&](Cmd parent) {
    return parent == Cmd::Top ? root.get() : submenus[IndexOf(parent)];
  };
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
  menu_ = std::move(root);
}

void CommandMenu::Prepare() {
  std::u16string text = context_.text.Field().Text();
  state_ = PrepareMenu(Snapshot(context_, text));
  context_.text.SetWholeTextSelected(state_.selectAll);
  context_.modes.fullScreen = state_.fullScreen;

  HMENU menu = menu_.get();
  for (const MenuRow& row : MenuRows()) {
    if (row.kind != RowKind::Item) continue;
    const ItemState& item = state_[row.id];
    auto id = static_cast<UINT>(row.id);
    ::EnableMenuItem(menu, id, MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
    ::CheckMenuItem(menu, id, MF_BYCOMMAND | (item.checked ? MF_CHECKED : MF_UNCHECKED));
  }
  for (auto [id, caption] : {std::pair{Cmd::Maximize, &state_.maximizeCaption},
                             std::pair{Cmd::Exit, &state_.exitCaption}}) {
    std::u16string text = ItemText(RowOf(id), *caption);
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(W(text));
    ::SetMenuItemInfoW(menu, static_cast<UINT>(id), FALSE, &info);
  }
}

void CommandMenu::OnContextMenu(LPARAM lParam) {
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (at.x == -1 && at.y == -1) {
    // From the keyboard: open over the middle of the text.
    RECT client{};
    ::GetClientRect(context_.window, &client);
    at = {client.right / 2, client.bottom / 2};
    ::ClientToScreen(context_.window, &at);
  }
  OpenAt(at);
}

void CommandMenu::OpenAt(POINT screen) {
  if (Running()) {
    // Not inside a running command: once it has returned.
    Defer([this, screen] { OpenAt(screen); });
    return;
  }
  Prepare();
  UINT chosen =
      ::TrackPopupMenu(menu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                       screen.x, screen.y, 0, context_.window, nullptr);
  if (chosen != 0) Click(static_cast<Cmd>(chosen));
}

template <typename Action>
void CommandMenu::Dispatch(Action&& action) noexcept {
  // The one place a command's failure is caught: it is shown in the default
  // error report, and the program goes on with the next message.
  try {
    action();
  } catch (...) {
    ReportCurrentException(context_.window);
  }
}

void CommandMenu::Click(Cmd command) {
  if (RowOf(command).kind != RowKind::Item) return;
  // A dialog's command arriving again while it runs (a second Ctrl+P while a
  // job is produced) is dropped: one dialog and one job at a time.
  if (running_ == command && RowOf(command).caption.ends_with(u"...")) return;
  if (Running()) {
    // Arrived through the running command's message loop (a queued Escape):
    // it runs once that command has returned, never inside it, prepared
    // afresh as a key would be.
    Defer([this, command] {
      Prepare();
      if (IsAvailable(state_, command)) Click(command);
    });
    return;
  }
  running_ = command;
  Dispatch([&] { host_.RunHandler(command); });
  running_ = Cmd::None;
  if (closePending_) {
    closePending_ = false;
    deferred_.clear();
    host_.CloseNow();
    return;
  }
  // In the order they came; each may defer more behind the rest.
  while (!deferred_.empty() && !Running()) {
    std::function<void()> next = std::move(deferred_.front());
    deferred_.pop_front();
    Dispatch(next);
  }
}

void CommandMenu::Defer(std::function<void()> action) {
  if (deferred_.size() < kMaxDeferred) deferred_.push_back(std::move(action));
}

bool CommandMenu::PreTranslateMessage(const MSG& message) {
  if (message.message == WM_KEYUP || message.message == WM_SYSKEYUP) {
    // The release of Alt after a shortcut with Alt stays here. The default
    // handling never saw the shortcut's key, so it would take the release for
    // Alt pressed alone and enter the menu's keyboard mode: the next keys
    // would go to the system menu.
    if (message.wParam != VK_MENU || !altShortcutHeld_) return false;
    altShortcutHeld_ = false;
    return true;
  }
  if ((message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) ||
      message.hwnd != context_.text.Field().hwnd()) {
    return false;
  }
  // A fresh press of Alt starts over: its release is the user's again.
  if (message.wParam == VK_MENU && (message.lParam & kPreviouslyDown) == 0)
    altShortcutHeld_ = false;
  const auto key = static_cast<std::uint16_t>(message.wParam);
  // Most keys type: the modifiers, each a round trip under Wine, are read
  // only for a key that some shortcut uses.
  if (!IsShortcutKey(key)) return false;
  // One read of the whole keyboard's state, not four of single keys.
  BYTE keys[256]{};
  if (!::GetKeyboardState(keys)) return false;
  auto down = [&keys](int vk) { return (keys[vk] & 0x80) != 0; };
  std::uint8_t modifiers = 0;
  if (down(VK_CONTROL)) modifiers |= kCtrl;
  if (down(VK_SHIFT)) modifiers |= kShift;
  if (down(VK_MENU)) modifiers |= kAlt;
  // Right Alt as AltGr arrives as Ctrl+Alt: a character, never a shortcut.
  bool altGr = down(VK_RMENU);
  Cmd command = FindShortcut(key, modifiers, altGr);
  if (command == Cmd::None) return false;
  // The key was meant for the command: consumed, even if preparing fails.
  bool consumed = true;
  Dispatch([&] {
    Prepare();
    if (!IsAvailable(state_, command)) {
      consumed = false;  // the key goes on to the field
      return;
    }
    Click(command);
  });
  if (consumed && (modifiers & kAlt)) altShortcutHeld_ = true;
  return consumed;
}

void CommandMenu::AddSystemMenuItem() {
  HMENU system = ::GetSystemMenu(context_.window, FALSE);
  if (!system) return;
  ::AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(system, MF_STRING, kSystemMenuItem, L"Orvaneメニュー");
  ::DrawMenuBar(context_.window);
}

void CommandMenu::OnSysCommand(WPARAM command, LPARAM lParam) {
  // Compared whole: masking the low four bits, as system commands usually
  // are, would turn 100 into 96.
  if ((command & 0xFFFFFFFFu) == kSystemMenuItem) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    OpenAt(cursor);
  } else {
    ::DefWindowProcW(context_.window, WM_SYSCOMMAND, command, lParam);
  }
  ::DrawMenuBar(context_.window);
}

}  // namespace orvane
