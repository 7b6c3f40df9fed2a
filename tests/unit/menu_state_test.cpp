#include "app/menu_state.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

MenuSnapshot Window(std::u16string_view text) {
  MenuSnapshot s;
  s.text = text;
  s.left = 480;
  s.top = 16;
  s.right = 1440;
  s.bottom = 556;
  s.screenWidth = 1920;
  s.screenHeight = 1080;
  s.workAreaWidth = 1920;
  s.workAreaHeight = 1040;
  return s;
}

TEST(PrepareMenu, BlankTextDisablesWhatNeedsCharacters) {
  for (std::u16string_view text : {u"", u"  \t "}) {
    MenuState m = PrepareMenu(Window(text));
    for (Cmd c : {Cmd::FullScreen, Cmd::CopyPicture, Cmd::SavePicture, Cmd::PrintEachCharacter, Cmd::Telop}) {
      EXPECT_FALSE(m[c].enabled) << static_cast<int>(c);
    }
    EXPECT_TRUE(m[Cmd::PrintWholeLine].enabled);
    EXPECT_TRUE(m[Cmd::ClearAndType].enabled);
  }
  MenuState ideographic = PrepareMenu(Window(u"\u3000"));
  EXPECT_TRUE(ideographic[Cmd::FullScreen].enabled) << "the ideographic space is a character";
}

TEST(PrepareMenu, TelopModeDisablesColourAndPictureCommands) {
  MenuSnapshot s = Window(u"Orvane");
  s.colorKey = true;
  s.telop = true;
  MenuState m = PrepareMenu(s);
  for (Cmd c : {Cmd::ClearAndType, Cmd::BackColor, Cmd::SwapColors, Cmd::CopyPicture, Cmd::SavePicture}) {
    EXPECT_FALSE(m[c].enabled) << static_cast<int>(c);
  }
  EXPECT_TRUE(m[Cmd::TextColor].enabled);
  EXPECT_TRUE(m[Cmd::Telop].checked);
  EXPECT_EQ(m.exitCaption, u"復帰");
}

TEST(PrepareMenu, SelectAllFlagFollowsTheSelection) {
  MenuSnapshot s = Window(u"Orvane");
  s.selectionLength = 6;
  EXPECT_TRUE(PrepareMenu(s).selectAll);
  EXPECT_TRUE(PrepareMenu(s)[Cmd::SelectAll].checked);
  s.selectionLength = 5;
  EXPECT_FALSE(PrepareMenu(s).selectAll);
  MenuState empty = PrepareMenu(Window(u""));
  EXPECT_FALSE(empty.selectAll) << "an empty text is not wholly selected";
  EXPECT_FALSE(empty[Cmd::SelectAll].enabled);
  MenuSnapshot one = Window(u"A");
  EXPECT_TRUE(PrepareMenu(one)[Cmd::SelectAll].enabled) << "one character is enough";
  one.selectionLength = 1;
  EXPECT_TRUE(PrepareMenu(one).selectAll);
}

TEST(PrepareMenu, EditActionsFollowSelectionClipboardAndUndo) {
  MenuSnapshot s = Window(u"Orvane");
  MenuState none = PrepareMenu(s);
  EXPECT_FALSE(none[Cmd::Cut].enabled);
  EXPECT_FALSE(none[Cmd::Copy].enabled);
  EXPECT_FALSE(none[Cmd::Delete].enabled);
  EXPECT_FALSE(none[Cmd::Paste].enabled);
  EXPECT_FALSE(none[Cmd::Undo].enabled);
  s.selectionLength = 1;
  s.clipboardHasText = true;
  s.canUndo = true;
  MenuState some = PrepareMenu(s);
  for (Cmd c : {Cmd::Cut, Cmd::Copy, Cmd::Delete, Cmd::Paste, Cmd::Undo}) {
    EXPECT_TRUE(some[c].enabled) << static_cast<int>(c);
  }
}

TEST(PrepareMenu, WindowCoveringTheScreenCountsAsFullScreen) {
  MenuSnapshot s = Window(u"Orvane");
  MenuState normal = PrepareMenu(s);
  EXPECT_FALSE(normal.fullScreen);
  EXPECT_EQ(normal.maximizeCaption, u"最大化 (1920x1040)");
  EXPECT_EQ(normal.exitCaption, u"終了");
  s.left = 0;
  s.top = 0;
  s.right = 1920;
  s.bottom = 1080;
  MenuState full = PrepareMenu(s);
  EXPECT_TRUE(full.fullScreen);
  EXPECT_TRUE(full[Cmd::FullScreen].checked);
  EXPECT_EQ(full.maximizeCaption, u"最大化 (1920x1080)");
  EXPECT_EQ(full.exitCaption, u"復帰");
  s.right = 1921;
  EXPECT_FALSE(PrepareMenu(s).fullScreen);
  s.right = 1920;
  s.bottom = 1040;
  EXPECT_FALSE(PrepareMenu(s).fullScreen) << "a window over the work area is maximized, not full screen";
}

TEST(PrepareMenu, WindowPropertiesBecomeCheckMarks) {
  MenuSnapshot s = Window(u"Orvane");
  s.maximized = true;
  s.topmost = true;
  MenuState m = PrepareMenu(s);
  EXPECT_TRUE(m[Cmd::Maximize].checked);
  EXPECT_TRUE(m[Cmd::StayOnTop].checked);
}

TEST(IsAvailable, NeedsTheItemAndEverySubmenuAboveIt) {
  MenuState m = PrepareMenu(Window(u"Orvane"));
  EXPECT_TRUE(IsAvailable(m, Cmd::PrintEachCharacter));
  m[Cmd::PrintMenu].enabled = false;
  EXPECT_FALSE(IsAvailable(m, Cmd::PrintEachCharacter));
  EXPECT_FALSE(IsAvailable(m, Cmd::Cut)) << "nothing selected";
}

}  // namespace
}  // namespace orvane
