// Enter and Ctrl+J switch between "whole text selected" and "caret at the end";
// neither may put a line break or anything else into the one-line text. A
// shortcut with Alt leaves the keyboard to the text.

#include <gtest/gtest.h>

#include <iterator>

#include "driver.h"
#include "menu_reader.h"

namespace e2e {
namespace {

class EnterKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.Activate());
    caption = app.Caption();
  }

  // Presses the key and waits for the selection it should leave.
  void Press(WORD key, unsigned modifiers, std::pair<int, int> selection) {
    app.PressKey(key, modifiers);
    EXPECT_TRUE(WaitUntil([&] { return app.Selection() == selection; }))
        << "selection " << testing::PrintToString(app.Selection()) << ", want "
        << testing::PrintToString(selection);
    EXPECT_EQ(app.Text(), text);
    EXPECT_EQ(app.Caption(), caption);
  }

  Orvane app;
  std::wstring text = L"Orvane";
  std::wstring caption;
};

TEST_F(EnterKeys, EnterTogglesTheSelectionAndInsertsNothing) {
  ASSERT_EQ(app.Selection(), (std::pair{0, 6}));
  Press(VK_RETURN, 0, {6, 6});
  Press(VK_RETURN, 0, {0, 6});
  Press(VK_RETURN, 0, {6, 6});
}

TEST_F(EnterKeys, CtrlJTogglesTheSelectionAndInsertsNothing) {
  Press('J', Orvane::kCtrl, {6, 6});
  Press('J', Orvane::kCtrl, {0, 6});
  Press('J', Orvane::kCtrl, {6, 6});
}

TEST_F(EnterKeys, EnterSelectsAllAfterAPartSelection) {
  Press(VK_RETURN, 0, {6, 6});
  Press(VK_LEFT, Orvane::kShift, {5, 6});
  Press(VK_RETURN, 0, {0, 6});
  Press('J', Orvane::kCtrl, {6, 6});
}

TEST_F(EnterKeys, EnterKeepsAJapaneseTextAsItIs) {
  text = L"字ab";
  app.Type(text);
  ASSERT_TRUE(app.WaitForFittedCaption(text));
  caption = app.Caption();
  Press(VK_RETURN, 0, {0, 3});
  Press('J', Orvane::kCtrl, {3, 3});
}

// Alt+Enter (the properties, which Wine's shell refuses in silence), then the
// keys a user types next: they reach the text, no menu opens; and Alt pressed
// alone still puts the system menu under the keyboard.
TEST(AltShortcut, LeavesTheNextKeysToTheTextAndAltAloneToTheMenu) {
  if (!UnderWine()) GTEST_SKIP() << "the shell's properties sheet would take the keys";
  Orvane app;
  ASSERT_TRUE(app.Started());
  ASSERT_TRUE(app.Activate());
  app.PressKey(VK_END);
  // Alt+Enter twice: Alt let go after Enter, then before it, as a quick hand does.
  INPUT keys[] = {Key(VK_MENU, false), Key(VK_RETURN, false), Key(VK_RETURN, true),
                  Key(VK_MENU, true),  Key(VK_MENU, false),   Key(VK_RETURN, false),
                  Key(VK_MENU, true),  Key(VK_RETURN, true)};
  ::SendInput(static_cast<UINT>(std::size(keys)), keys, sizeof(INPUT));
  app.PressKey(VK_DOWN);  // would open the system menu in the menu's keyboard mode
  app.Type(L"x");
  EXPECT_TRUE(WaitUntil([&] { return app.Text() == L"Orvanex"; }))
      << testing::PrintToString(app.Text());
  EXPECT_EQ(OpenMenuWindow(), nullptr);

  app.PressKey(VK_MENU);
  app.PressKey(VK_DOWN);
  EXPECT_TRUE(WaitUntil([] { return OpenMenuWindow() != nullptr; })) << "no system menu";
  app.PressKeys({{VK_ESCAPE, 0}, {VK_ESCAPE, 0}});
  EXPECT_TRUE(WaitUntil([] { return OpenMenuWindow() == nullptr; }));
  app.Type(L"y");
  EXPECT_TRUE(WaitUntil([&] { return app.Text() == L"Orvanexy"; }))
      << testing::PrintToString(app.Text());
}

}  // namespace
}  // namespace e2e
