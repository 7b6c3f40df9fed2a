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
  EXPECT_EQ(ShortcutText(RowOf(Cmd::Cut1).shortcut), u"Ctrl+X");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::CopyImage1).shortcut), u"Ctrl+Shift+C");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::FullScreen1).shortcut), u"Ctrl+Space");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::OrvaneFloat1).shortcut), u"Ctrl+Enter");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::Properties1).shortcut), u"Alt+Enter");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::Delete1).shortcut), u"Del");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::Exit1).shortcut), u"Esc");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::Help2).shortcut), u"F1");
  EXPECT_EQ(ShortcutText({kVkF1 + 11, 0}), u"F12");
  EXPECT_EQ(ShortcutText(RowOf(Cmd::Clear1).shortcut), u"");
}

TEST(Commands, ShortcutLookupComparesModifiersExactly) {
  struct Case {
    std::uint16_t key;
    std::uint8_t modifiers;
    Cmd expected;
  };
  const Case cases[] = {
      {'C', kCtrl, Cmd::Copy1},
      {'C', kCtrl | kShift, Cmd::CopyImage1},
      {'C', kCtrl | kAlt, Cmd::None},
      {'C', 0, Cmd::None},
      {'P', kCtrl, Cmd::Print1},
      {'P', kCtrl | kShift, Cmd::Print2},
      {'A', kCtrl, Cmd::SelectAll1},
      {kVkDelete, 0, Cmd::Delete1},
      {kVkDelete, kShift, Cmd::None},
      {kVkEscape, 0, Cmd::Exit1},
      {kVkReturn, 0, Cmd::None},
      {kVkReturn, kCtrl, Cmd::OrvaneFloat1},
      {kVkReturn, kAlt, Cmd::Properties1},
      {kVkSpace, kCtrl, Cmd::FullScreen1},
      {kVkF1, 0, Cmd::Help2},
      {kVkF1, kShift, Cmd::None},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindShortcut(c.key, c.modifiers, false), c.expected)
        << "key " << c.key << " modifiers " << int(c.modifiers);
  }
  EXPECT_EQ(FindShortcut('C', kCtrl | kAlt, true), Cmd::None) << "AltGr never matches";
  EXPECT_EQ(FindShortcut('C', kCtrl, true), Cmd::None);
}

}  // namespace
}  // namespace orvane
