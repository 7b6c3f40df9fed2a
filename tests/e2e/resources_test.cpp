// Every refit makes a new font; the old one must go. A program that keeps
// them runs out of GDI handles after some thousands of keystrokes or resizes.

#include <gtest/gtest.h>

#include "driver.h"

namespace e2e {
namespace {

TEST(Resources, TwoThousandRefitsLeaveNoObjectsBehind) {
  Orvane app;
  ASSERT_TRUE(app.Started());
  ASSERT_TRUE(app.Activate());
  app.Type(L"ab");
  ASSERT_TRUE(app.WaitForFittedCaption(L"ab")) << testing::PrintToString(app.Caption());
  SIZE large = app.ClientSize();
  app.CaptureSettled();  // the first paint makes the program's lasting buffers

  std::optional<DWORD> gdiBefore = app.GdiObjects();
  std::optional<DWORD> userBefore = app.UserObjects();
  ASSERT_TRUE(gdiBefore.has_value()) << "the GDI objects of another process cannot be counted here";
  ASSERT_GT(*gdiBefore, 0u);

  // 400 refits by resizing, down and back up to the size the buffers have.
  for (int i = 0; i < 200; ++i) {
    ASSERT_TRUE(app.ResizeClientTo(large.cx - 100, large.cy - 60));
    ASSERT_TRUE(app.ResizeClientTo(large.cx, large.cy));
  }
  // 1600 refits by typing: a letter and its removal, then one letter to keep.
  for (int i = 0; i < 800; ++i) {
    ::PostMessageW(app.Edit(), WM_CHAR, L'x', 1);
    ::PostMessageW(app.Edit(), WM_CHAR, VK_BACK, 1);
  }
  ::PostMessageW(app.Edit(), WM_CHAR, L'c', 1);
  ASSERT_TRUE(app.WaitForFittedCaption(L"abc", 60s))
      << testing::PrintToString(app.Caption());
  app.CaptureSettled();

  EXPECT_EQ(app.GdiObjects(), gdiBefore);
  EXPECT_EQ(app.UserObjects(), userBefore);
  // Still alive and fitting: no error box, the next key refits.
  EXPECT_TRUE(app.Dialogs().empty());
  app.Type(L"d");
  EXPECT_TRUE(app.WaitForFittedCaption(L"abcd"));
}

}  // namespace
}  // namespace e2e
