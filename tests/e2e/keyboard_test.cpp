// Enter and Ctrl+J switch between "whole text selected" and "caret at the end";
// neither may put a line break or anything else into the one-line text.

#include <gtest/gtest.h>

#include "driver.h"

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

}  // namespace
}  // namespace e2e
