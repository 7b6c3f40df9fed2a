#include "platform/com_ptr.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

struct Counted {
  int references = 1;  // as a creating call hands it out
  unsigned long Release() { return static_cast<unsigned long>(--references); }
};

TEST(ComPtr, ReleasesOnceOnEveryWayOut) {
  Counted a, b;
  {
    ComPtr<Counted> held;
    *held.put() = &a;
    ComPtr<Counted> moved(std::move(held));
    EXPECT_FALSE(held);
    EXPECT_EQ(moved.get(), &a);
    *moved.put() = &b;  // refilling releases the old one first
    EXPECT_EQ(a.references, 0);
    held = std::move(moved);
    EXPECT_EQ(b.references, 1);
  }
  EXPECT_EQ(a.references, 0);
  EXPECT_EQ(b.references, 0);
}

}  // namespace
}  // namespace orvane
