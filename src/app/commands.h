#pragma once
// Every command of the menu, declared once in ORVANE_COMMANDS: its id, the
// submenu that holds it, its caption, shortcut and enabling rule, and the
// feature and member function that run it. The popup menu, the shortcut
// lookup, the menu's preparation and the dispatch of clicks all derive from
// this list; the core reads all but the handler, the window the handler too.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

// Modifier bits of a shortcut.
enum Modifier : std::uint8_t { kCtrl = 1, kShift = 2, kAlt = 4 };

// Virtual-key codes the list uses (the platform's values).
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

[[nodiscard]] constexpr Shortcut Key(std::uint16_t key) noexcept { return {key, 0}; }
[[nodiscard]] constexpr Shortcut Ctrl(std::uint16_t key) noexcept { return {key, kCtrl}; }
[[nodiscard]] constexpr Shortcut CtrlShift(std::uint16_t key) noexcept {
  return {key, static_cast<std::uint8_t>(kCtrl | kShift)};
}
[[nodiscard]] constexpr Shortcut Alt(std::uint16_t key) noexcept { return {key, kAlt}; }
inline constexpr Shortcut kNoKey{};

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

// ITEM(id, submenu, caption, shortcut, enabling, feature, handler)
// SUBMENU(id, submenu, caption)
// SEPARATOR(submenu)
// In display order; a submenu's rows follow it. Top is the menu itself.
// clang-format off
#define ORVANE_COMMANDS(ITEM, SUBMENU, SEPARATOR)                                                                                                \
  ITEM(ClearAndType,       Top,          u"クリアして入力",               kNoKey,          NoKey,         StretchedText,     ClearAndType)       \
  SEPARATOR(Top)                                                                                                                                 \
  ITEM(Cut,                Top,          u"切取り",                       Ctrl('X'),       Selection,     StretchedText,     Cut)                \
  ITEM(Copy,               Top,          u"コピー",                       Ctrl('C'),       Selection,     StretchedText,     Copy)               \
  ITEM(Paste,              Top,          u"貼付け",                       Ctrl('V'),       Clipboard,     StretchedText,     Paste)              \
  ITEM(SelectAll,          Top,          u"すべて選択",                   Ctrl('A'),       NotEmpty,      StretchedText,     ToggleSelectAll)    \
  ITEM(Delete,             Top,          u"削除",                         Key(kVkDelete),  Selection,     StretchedText,     Delete)             \
  ITEM(Undo,               Top,          u"戻す",                         Ctrl('Z'),       CanUndo,       StretchedText,     Undo)               \
  SEPARATOR(Top)                                                                                                                                 \
  ITEM(FullScreen,         Top,          u"全画面表示",                   Ctrl(kVkSpace),  NotBlank,      WindowPlacement,   ToggleFullScreen)   \
  ITEM(CopyPicture,        Top,          u"画像をコピー",                 CtrlShift('C'),  NotBlankNoKey, Picture,           CopyToClipboard)    \
  ITEM(SavePicture,        Top,          u"画像で保存...",                Ctrl('S'),       NotBlankNoKey, Picture,           SaveAsBitmap)       \
  SUBMENU(PrintMenu, Top, u"印刷")                                                                                                               \
  ITEM(PrintEachCharacter, PrintMenu,    u"1文字1枚...",                  Ctrl('P'),       NotBlank,      Printing,          PrintEachCharacter) \
  ITEM(PrintWholeLine,     PrintMenu,    u"全体1枚...",                   CtrlShift('P'),  Always,        Printing,          PrintWholeLine)     \
  ITEM(Telop,              Top,          u"テロップ表示",                 Ctrl(kVkReturn), NotBlank,      TelopMode,         Toggle)             \
  ITEM(Information,        Top,          u"情報表示",                     Ctrl('I'),       Always,        ReportCommand,     Show)               \
  SEPARATOR(Top)                                                                                                                                 \
  ITEM(ChooseFont,         Top,          u"フォント設定...",              Ctrl('F'),       Always,        FontColorCommands, ChooseFont)         \
  SUBMENU(ColorMenu, Top, u"カラー設定")                                                                                                         \
  ITEM(TextColor,          ColorMenu,    u"文字色...",                    kNoKey,          Always,        FontColorCommands, ChooseTextColor)    \
  ITEM(BackColor,          ColorMenu,    u"背景色...",                    kNoKey,          NoKey,         FontColorCommands, ChooseBackColor)    \
  ITEM(SwapColors,         ColorMenu,    u"入替え",                       kNoKey,          NoKey,         FontColorCommands, SwapColors)         \
  SUBMENU(WindowMenu, Top, u"ウィンドウ設定")                                                                                                    \
  ITEM(Centre,             WindowMenu,   u"センタリング",                 kNoKey,          Always,        WindowPlacement,   Centre)             \
  ITEM(StayOnTop,          WindowMenu,   u"常に手前に表示",               kNoKey,          Always,        WindowPlacement,   ToggleStayOnTop)    \
  SEPARATOR(WindowMenu)                                                                                                                          \
  ITEM(Maximize,           WindowMenu,   u"最大化",                       kNoKey,          Always,        WindowPlacement,   ToggleMaximized)    \
  ITEM(Minimize,           WindowMenu,   u"最小化",                       kNoKey,          Always,        WindowPlacement,   Minimize)           \
  SUBMENU(ShortcutMenu, Top, u"ショートカット設定")                                                                                              \
  ITEM(DesktopShortcut,    ShortcutMenu, u"デスクトップに登録・削除",     kNoKey,          Always,        Shortcuts,         OnDesktop)          \
  ITEM(StartMenuShortcut,  ShortcutMenu, u"スタートメニューに登録・削除", kNoKey,          Always,        Shortcuts,         InStartMenu)        \
  ITEM(StartupShortcut,    ShortcutMenu, u"スタートアップに登録・削除",   kNoKey,          Always,        Shortcuts,         InStartup)          \
  SEPARATOR(Top)                                                                                                                                 \
  SUBMENU(HelpMenu, Top, u"ヘルプ")                                                                                                              \
  ITEM(Help,               HelpMenu,     u"ヘルプ表示",                   Key(kVkF1),      Always,        HelpCommands,      ShowHelp)           \
  ITEM(About,              HelpMenu,     u"バージョン情報",               kNoKey,          Always,        AboutCommand,      Show)               \
  ITEM(Properties,         HelpMenu,     u"プロパティ表示",               Alt(kVkReturn),  Always,        HelpCommands,      ShowProperties)     \
  ITEM(DonationPage,       HelpMenu,     u"開発支援",                     kNoKey,          Always,        HelpCommands,      OpenDonationPage)   \
  ITEM(HomePage,           HelpMenu,     u"ホームサイト",                 kNoKey,          Always,        HelpCommands,      OpenHomePage)       \
  ITEM(ClearAndExit,       Top,          u"クリアして終了",               kNoKey,          Always,        MainWindow,        ClearAndExit)       \
  ITEM(Exit,               Top,          u"終了",                         Key(kVkEscape),  Always,        MainWindow,        Exit)
// clang-format on

#define ORVANE_COMMAND_ID(id, ...) id,
#define ORVANE_NO_ID(...)

// Menu item identifiers, from 1000 up; also the numbers the menu reports.
enum class Cmd : std::uint16_t {
  None = 0,
  Top = None,
  BeforeFirst = 999,
  ORVANE_COMMANDS(ORVANE_COMMAND_ID, ORVANE_COMMAND_ID, ORVANE_NO_ID)  //
  AfterLast
};

inline constexpr int kCommandCount =
    static_cast<int>(Cmd::AfterLast) - static_cast<int>(Cmd::BeforeFirst) - 1;
[[nodiscard]] constexpr int IndexOf(Cmd c) noexcept {
  return static_cast<int>(c) - static_cast<int>(Cmd::BeforeFirst) - 1;
}
[[nodiscard]] constexpr Cmd CommandAt(int index) noexcept {
  return static_cast<Cmd>(static_cast<int>(Cmd::BeforeFirst) + 1 + index);
}

enum class RowKind : std::uint8_t { Item, Separator, Submenu };

struct MenuRow {
  RowKind kind;
  Cmd id;      // Cmd::None for separators
  Cmd parent;  // the submenu that holds the row; Cmd::Top at the top level
  std::u16string_view caption;
  Shortcut shortcut;
  Enable enable = Enable::Always;
};

// The rows in display order; a submenu's rows follow it.
[[nodiscard]] std::span<const MenuRow> MenuRows() noexcept;
[[nodiscard]] const MenuRow& RowOf(Cmd id) noexcept;

// "Ctrl+Shift+C", "Del", "Esc": the shortcut as a menu shows it beside its caption.
[[nodiscard]] std::u16string ShortcutText(Shortcut shortcut);

// Whether any item's shortcut uses this key, with whatever modifiers.
[[nodiscard]] bool IsShortcutKey(std::uint16_t key) noexcept;

// The item whose shortcut is this key with exactly these modifiers; Cmd::None
// for none. A key typed with right Alt as AltGr never matches.
[[nodiscard]] Cmd FindShortcut(std::uint16_t key, std::uint8_t modifiers, bool altGr) noexcept;

}  // namespace orvane
