#pragma once
// The one table of commands: every item of the command menu with its caption,
// shortcut and place. The popup menu, the shortcut lookup and the dispatch of
// clicks all derive from it.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

// Menu item identifiers; also the command numbers the menu reports.
enum class Cmd : std::uint16_t {
  None = 0,
  Clear1 = 1000,
  Cut1,
  Copy1,
  Paste1,
  SelectAll1,
  Delete1,
  Undo1,
  FullScreen1,
  CopyImage1,
  SaveAs1,
  Print0,
  Print1,
  Print2,
  OrvaneFloat1,
  Information1,
  SelectFont1,
  SelectColor1,
  FontColor1,
  BackColor1,
  AlterNate1,
  Window1,
  Centering1,
  StayOnTop1,
  Maximize1,
  Minimize1,
  N2,
  ScDeskTop1,
  ScStartMenu1,
  ScStartUp1,
  Help1,
  Help2,
  About1,
  Properties1,
  Donation1,
  HomeSite1,
  ClearClose1,
  Exit1,
  Last = Exit1,
};

inline constexpr int kCommandCount = static_cast<int>(Cmd::Last) - static_cast<int>(Cmd::Clear1) + 1;
[[nodiscard]] constexpr int IndexOf(Cmd c) noexcept {
  return static_cast<int>(c) - static_cast<int>(Cmd::Clear1);
}

// Modifier bits of a shortcut.
enum Modifier : std::uint8_t { kCtrl = 1, kShift = 2, kAlt = 4 };

// Virtual-key codes the table uses (the platform's values).
enum VirtualKey : std::uint16_t {
  kVkReturn = 0x0D,
  kVkEscape = 0x1B,
  kVkSpace = 0x20,
  kVkDelete = 0x2E,
  kVkF1 = 0x70,
};

struct Shortcut {
  std::uint16_t key = 0;  // 0: none
  std::uint8_t modifiers = 0;
  bool operator==(const Shortcut&) const = default;
};

enum class RowKind : std::uint8_t { Item, Separator, Submenu };

// When an item is enabled, decided by the menu's preparation from the window's state.
enum class Enable : std::uint8_t {
  Always,
  NotBlank,       // the trimmed text is not empty
  NotBlankNoKey,  // ... and telop mode's colour key is off
  NoKey,          // telop mode's colour key is off
  Selection,      // at least one unit selected
  Clipboard,      // the clipboard holds text
  NotEmpty,       // the text has at least one unit
  CanUndo,        // the field can undo
};

struct MenuRow {
  RowKind kind;
  Cmd id;      // Cmd::None for separators
  Cmd parent;  // the submenu that holds the row; Cmd::None at the top level
  std::u16string_view caption;
  Shortcut shortcut;
  bool autoCheck;  // the mark flips before the handler runs
  Enable enable = Enable::Always;
};

// The rows in display order; a submenu's rows follow it.
[[nodiscard]] std::span<const MenuRow> MenuRows() noexcept;
[[nodiscard]] const MenuRow& RowOf(Cmd id) noexcept;

// "Ctrl+Shift+C", "Del", "Esc": the shortcut as a menu shows it beside its caption.
[[nodiscard]] std::u16string ShortcutText(Shortcut shortcut);

// The item whose shortcut is this key with exactly these modifiers; Cmd::None
// for none. A key typed with right Alt as AltGr never matches.
[[nodiscard]] Cmd FindShortcut(std::uint16_t key, std::uint8_t modifiers, bool altGr) noexcept;

}  // namespace orvane
