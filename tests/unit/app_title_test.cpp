#include "platform/app_title.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(ApplicationTitle, FileNameBeforeFirstDotWithTailInLowerCase) {
  EXPECT_EQ(ApplicationTitle(u"C:\\Tools\\MYTOOL.EXE"), u"Mytool");
  EXPECT_EQ(ApplicationTitle(u"C:\\Program Files\\Orvane\\Orvane.exe"), u"Orvane");
  EXPECT_EQ(ApplicationTitle(u"D:\\a.b\\orVANE.backup.exe"), u"orvane") << "first character kept as is";
  EXPECT_EQ(ApplicationTitle(u"\\\\server\\share\\NoExtension"), u"Noextension");
  EXPECT_EQ(ApplicationTitle(u"relative/ＡＢＣ.exe"), u"Ａｂｃ");
  EXPECT_EQ(ApplicationTitle(u"C:\\x\\表示TOOL.exe"), u"表示tool");
  EXPECT_EQ(ApplicationTitle(u"C:\\x\\.hidden"), u"");
  EXPECT_EQ(ApplicationTitle(u"C:\\x\\XAZ.EXE"), u"Xaz") << "the ends of the alphabet";
  EXPECT_EQ(ApplicationTitle(u"C:\\x\\ＸＡＺ.exe"), u"Ｘａｚ");
}

}  // namespace
}  // namespace orvane
