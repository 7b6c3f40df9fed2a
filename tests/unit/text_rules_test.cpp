#include "display/text_rules.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(TrimmedText, DropsUnitsUpToBlankAtBothEndsOnly) {
  EXPECT_EQ(TrimmedText(u"  ab c \t\r\n"), u"ab c");
  EXPECT_EQ(TrimmedText(u"\x01\x1F" u"x" u"\x20"), u"x");
  EXPECT_EQ(TrimmedText(u"   "), u"");
  EXPECT_EQ(TrimmedText(u""), u"");
  EXPECT_EQ(TrimmedText(u"\u3000字\u3000"), u"\u3000字\u3000") << "the ideographic space stays";
  EXPECT_EQ(TrimmedText(u"\x7F!"), u"\x7F!") << "DEL is above 32";
}

TEST(EnterToggle, WholeTextSelectedOrEmptyGoesToCaret) {
  EXPECT_EQ(EnterToggle(6, 6), EnterAction::CaretToEnd);
  EXPECT_EQ(EnterToggle(0, 0), EnterAction::CaretToEnd) << "an empty field clears the flag";
  EXPECT_EQ(EnterToggle(0, 6), EnterAction::SelectAll);
  EXPECT_EQ(EnterToggle(5, 6), EnterAction::SelectAll) << "a partial selection selects all";
}

}  // namespace
}  // namespace orvane
