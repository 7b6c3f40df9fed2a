#include "app/commands.h"

#include <algorithm>
#include <array>

namespace orvane {
namespace {

#define ORVANE_ITEM_ROW(id, parent, caption, shortcut, enable, feature, handler) \
  MenuRow{RowKind::Item, Cmd::id, Cmd::parent, caption, shortcut, Enable::enable},
#define ORVANE_SUBMENU_ROW(id, parent, caption) \
  MenuRow{RowKind::Submenu, Cmd::id, Cmd::parent, caption, kNoKey},
#define ORVANE_SEPARATOR_ROW(parent) \
  MenuRow{RowKind::Separator, Cmd::None, Cmd::parent, u"", kNoKey},

constexpr MenuRow kRows[] = {
    ORVANE_COMMANDS(ORVANE_ITEM_ROW, ORVANE_SUBMENU_ROW, ORVANE_SEPARATOR_ROW)};

// Every command appears once, so RowOf can index a table built at compile time.
constexpr auto kRowIndex = [] {
  std::array<int, kCommandCount> index{};
  for (int i = 0; i < static_cast<int>(std::size(kRows)); ++i) {
    if (kRows[i].id != Cmd::None) index[IndexOf(kRows[i].id)] = i;
  }
  return index;
}();

}  // namespace

std::span<const MenuRow> MenuRows() noexcept { return kRows; }

const MenuRow& RowOf(Cmd id) noexcept { return kRows[kRowIndex[IndexOf(id)]]; }

std::u16string ShortcutText(Shortcut shortcut) {
  if (shortcut.key == 0) return {};
  std::u16string text;
  if (shortcut.modifiers & kCtrl) text += u"Ctrl+";
  if (shortcut.modifiers & kShift) text += u"Shift+";
  if (shortcut.modifiers & kAlt) text += u"Alt+";
  switch (shortcut.key) {
    case kVkReturn:
      text += u"Enter";
      break;
    case kVkEscape:
      text += u"Esc";
      break;
    case kVkSpace:
      text += u"Space";
      break;
    case kVkDelete:
      text += u"Del";
      break;
    default:
      if (shortcut.key >= kVkF1 && shortcut.key < kVkF1 + 24) {
        text += u'F';
        int n = shortcut.key - kVkF1 + 1;
        if (n >= 10) text += static_cast<char16_t>(u'0' + n / 10);
        text += static_cast<char16_t>(u'0' + n % 10);
      } else {
        text += static_cast<char16_t>(shortcut.key);
      }
  }
  return text;
}

bool IsShortcutKey(std::uint16_t key) noexcept {
  return key != 0 && std::any_of(std::begin(kRows), std::end(kRows), [key](const MenuRow& r) {
           return r.kind == RowKind::Item && r.shortcut.key == key;
         });
}

Cmd FindShortcut(std::uint16_t key, std::uint8_t modifiers, bool altGr) noexcept {
  if (altGr || key == 0) return Cmd::None;
  Shortcut pressed{key, modifiers};
  auto row = std::find_if(std::begin(kRows), std::end(kRows), [&](const MenuRow& r) {
    return r.kind == RowKind::Item && r.shortcut == pressed;
  });
  return row == std::end(kRows) ? Cmd::None : row->id;
}

}  // namespace orvane
