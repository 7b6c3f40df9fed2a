#include "platform/user_error.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(WithFullStop, AddsStopOnlyAfterCharactersAboveFullStop) {
  struct Case {
    std::u16string message, expected;
  };
  const Case cases[] = {
      {u"There is no default printer currently selected",
       u"There is no default printer currently selected."},
      {u"Done.", u"Done."},
      {u"Which?", u"Which?."},         // "?" is coded above "."
      {u"(a)", u"(a)"},                // ")" is coded below "."
      {u"path C:\\x\\", u"path C:\\x\\."},
      {u"ends in dash-", u"ends in dash-"},  // "-" is 45
      {u"ends in slash/", u"ends in slash/."},  // "/" is 47
      {u"ends in blank ", u"ends in blank "},
      {u"印刷できません。", u"印刷できません。."},
      {u"", u"."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WithFullStop(c.message), c.expected);
  }
}

}  // namespace
}  // namespace orvane
