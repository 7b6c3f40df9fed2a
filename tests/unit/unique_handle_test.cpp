#include "platform/unique_handle.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace orvane {
namespace {

std::vector<int> closed;

struct RecordClose {
  void operator()(int h) const noexcept { closed.push_back(h); }
};
using Handle = unique_handle<int, RecordClose>;

class UniqueHandle : public ::testing::Test {
 protected:
  void SetUp() override { closed.clear(); }
};

TEST_F(UniqueHandle, ClosesOnceAtEndOfScope) {
  { Handle h(7); }
  EXPECT_EQ(closed, std::vector<int>{7});
  { Handle empty; }
  EXPECT_EQ(closed, std::vector<int>{7}) << "an empty owner closes nothing";
}

TEST_F(UniqueHandle, MoveTransfersOwnership) {
  {
    Handle a(1);
    Handle b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.get(), 1);
    Handle c(2);
    c = std::move(b);  // closes 2, takes 1
    EXPECT_EQ(closed, std::vector<int>{2});
  }
  EXPECT_EQ(closed, (std::vector<int>{2, 1}));
}

TEST_F(UniqueHandle, SelfMoveAndResetToSameKeepHandle) {
  Handle h(5);
  Handle& alias = h;
  h = std::move(alias);
  h.reset(5);
  EXPECT_TRUE(closed.empty());
  EXPECT_EQ(h.get(), 5);
}

TEST_F(UniqueHandle, ReleaseGivesUpWithoutClosing) {
  Handle h(9);
  EXPECT_EQ(h.release(), 9);
  EXPECT_FALSE(h);
  h.reset(3);
  h.reset();
  EXPECT_EQ(closed, std::vector<int>{3});
}

struct MinusOneIsInvalid {
  static constexpr int invalid() noexcept { return -1; }
};

TEST_F(UniqueHandle, CustomInvalidValue) {
  {
    unique_handle<int, RecordClose, MinusOneIsInvalid> h;
    EXPECT_FALSE(h);
    h.reset(0);  // zero is a real handle here
    EXPECT_TRUE(h);
  }
  EXPECT_EQ(closed, std::vector<int>{0});
}

}  // namespace
}  // namespace orvane
