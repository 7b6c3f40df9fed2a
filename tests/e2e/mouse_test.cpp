// The text is the handle: pressing on it and moving drags the whole window.

#include <gtest/gtest.h>

#include "driver.h"

namespace e2e {
namespace {

TEST(Dragging, PressingOnTheTextAndMovingDragsTheWindow) {
  Orvane app;
  ASSERT_TRUE(app.Started());
  ASSERT_TRUE(app.Activate());
  RECT before = app.WindowRect();
  SIZE client = app.ClientSize();
  POINT delta{-173, 121};

  app.DragClientPoint({client.cx / 2, client.cy / 2}, delta);

  RECT after{};
  bool moved = WaitUntil([&] {
    after = app.WindowRect();
    return std::abs(after.left - before.left - delta.x) <= 2 &&
           std::abs(after.top - before.top - delta.y) <= 2;
  });
  EXPECT_TRUE(moved) << "from " << before.left << ", " << before.top << " moved by " << after.left - before.left << ", " << after.top - before.top;
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  // A drag is no edit.
  EXPECT_EQ(app.Text(), L"Orvane");
  EXPECT_EQ(app.Caption(), app.ExpectedCaption(L"Orvane"));
}

}  // namespace
}  // namespace e2e
