#include "app/commands.h"

#include <gtest/gtest.h>

#include <set>

namespace orvane {
namespace {

TEST(Commands, EveryCommandOnceAndInsideARealSubmenu) {
  std::set<Cmd> seen;
  for (const MenuRow& row : MenuRows()) {
    if (row.kind == RowKind::Separator) {
      EXPECT_EQ(row.id, Cmd::None);
      continue;
    }
    EXPECT_TRUE(seen.insert(row.id).second) << "twice: " << static_cast<int>(row.id);
    EXPECT_EQ(&RowOf(row.id), &row);
    if (row.parent != Cmd::None) {
      EXPECT_EQ(RowOf(row.parent).kind, RowKind::Submenu);
      EXPECT_LT(&RowOf(row.parent), &row) << "a submenu comes before its rows";
    }
  }
  EXPECT_EQ(static_cast<int>(seen.size()), kCommandCount);
}

TEST(Commands, ShortcutsWrittenAsWindowsMenusShowThem) {
  EXPECT_EQ(ShortcutText(RowOf(Cmd::Cut).shortcut), u"Ctrl+X");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::CopyPicture).shortcut), u"Ctrl+Shift+C");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::FullScreen).shortcut), u"Ctrl+Space");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::Telop).shortcut), u"Ctrl+Enter");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::Properties).shortcut), u"Alt+Enter");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::Delete).shortcut), u"Del");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::Exit).shortcut), u"Esc");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::Help).shortcut), u"F1");
  EXPECT_EQ(ShortcutText({kVkF1 + 9, 0}), u"F10");
  EXPECT_EQ(ShortcutText({kVkF1 + 11, 0}), u"F12");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::ClearAndType).shortcut), u"");
}

TEST(Commands, ShortcutLookupComparesModifiersExactly) {
  struct Case {
    std::uint16_t key;
    std::uint8_t modifiers;
    Cmd expected;
  };
  const Case cases[] = {
      {'C', kCtrl, Cmd::Copy},
      {'C', kCtrl | kShift, Cmd::CopyPicture},
      {'C', kCtrl | kAlt, Cmd::None},
      {'C', 0, Cmd::None},
      {'P', kCtrl, Cmd::PrintEachCharacter},
      {'P', kCtrl | kShift, Cmd::PrintWholeLine},
      {'A', kCtrl, Cmd::SelectAll},
      {kVkDelete, 0, Cmd::Delete},
      {kVkDelete, kShift, Cmd::None},
      {kVkEscape, 0, Cmd::Exit},
      {kVkReturn, 0, Cmd::None},
      {kVkReturn, kCtrl, Cmd::Telop},
      {kVkReturn, kAlt, Cmd::Properties},
      {kVkSpace, kCtrl, Cmd::FullScreen},
      {kVkF1, 0, Cmd::Help},
      {kVkF1, kShift, Cmd::None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindShortcut(c.key, c.modifiers, false), c.expected)
        << "key " << c.key << " modifiers " << int(c.modifiers);
  }
  EXPECT_EQ(FindShortcut('C', kCtrl | kAlt, true), Cmd::None) << "AltGr never matches";
  EXPECT_EQ(FindShortcut('C', kCtrl, true), Cmd::None);
  EXPECT_EQ(FindShortcut(0, 0, false), Cmd::None) << "no key: not the first command without a shortcut";
}

// The message loop reads the modifiers only for keys some shortcut uses: it
// must never pass over a shortcut.
TEST(Commands, EveryShortcutsKeyIsAShortcutKeyAndLettersThatTypeAreNot) {
  for (std::uint16_t key = 0; key < 256; ++key) {
    for (std::uint8_t modifiers = 0; modifiers < 8; ++modifiers) {
      if (FindShortcut(key, modifiers, false) != Cmd::None) {
        EXPECT_TRUE(IsShortcutKey(key)) << key;
      }
    }
  }
  EXPECT_FALSE(IsShortcutKey('B'));
  EXPECT_FALSE(IsShortcutKey(0x08)) << "Backspace";
  EXPECT_FALSE(IsShortcutKey(0));
}

}  // namespace
}  // namespace orvane
