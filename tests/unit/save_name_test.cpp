#include "output/save_name.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(NameAsTyped, TakesOffOnlyTheExtensionTheDialogAdded) {
  struct Case {
    std::u16string_view chosen, typed, file;
  } cases[] = {
      {u"C:\\d\\picture.bmp", u"picture", u"C:\\d\\picture"},           // added: taken off
      {u"C:\\d\\picture", u"picture", u"C:\\d\\picture"},               // not added
      {u"C:\\d\\Hello.bmp", u"Hello.bmp", u"C:\\d\\Hello.bmp"},         // typed so
      {u"C:\\d\\A.BMP.bmp", u"A.BMP", u"C:\\d\\A.BMP"},                 // the dialog compares case
      {u"C:\\e\\picture.bmp", u"C:\\e\\picture", u"C:\\e\\picture"},    // a path typed
      {u"C:\\d\\xpicture.bmp", u"picture", u"C:\\d\\xpicture.bmp"},     // another name
      {u"C:\\d\\.bmp", u"", u"C:\\d\\.bmp"},
  };
  for (const Case& c : cases) EXPECT_EQ(NameAsTyped(c.chosen, c.typed), c.file) << std::string(c.typed.begin(), c.typed.end());
}

}  // namespace
}  // namespace orvane
