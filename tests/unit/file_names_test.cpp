#include "platform/file_names.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(FileNames, NameAndFolderSplitAtTheLastDelimiter) {
  EXPECT_EQ(FileNameOf(u"C:\\Tools\\Viewer.exe"), u"Viewer.exe");
  EXPECT_EQ(FolderOf(u"C:\\Tools\\Viewer.exe"), u"C:\\Tools\\");
  EXPECT_EQ(FolderOf(u"Viewer.exe"), u"");
}

TEST(FileNames, FolderPathsEndInExactlyOneBackslash) {
  EXPECT_EQ(WithTrailingBackslash(u"C:\\users\\me\\Desktop"), u"C:\\users\\me\\Desktop\\");
  EXPECT_EQ(WithTrailingBackslash(u"C:\\"), u"C:\\");
  EXPECT_EQ(WithTrailingBackslash(u""), u"\\");
}

TEST(SameName, FoldsAsciiAndFullWidthLettersOnly) {
  struct Case {
    std::u16string_view a, b;
    bool same;
  };
  const Case cases[] = {
      {u"option", u"OPTION", true},
      {u"Ｏｐｔｉｏｎ", u"ＯＰＴＩＯＮ", true},
      {u"ｚ", u"Ｚ", true},
      {u"az", u"AZ", true},  // the ends of the alphabet
      {u"ａｚ", u"ＡＺ", true},
      {u"Option", u"Ｏｐｔｉｏｎ", false},  // half- and full-width differ
      {u"é", u"É", false},
      {u"[", u"{", false},  // 0x20 apart, like a letter pair, but not letters
      {u"opt", u"option", false},
      {u"", u"", true},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(SameName(cases[i].a, cases[i].b), cases[i].same) << "case " << i;
  }
}

TEST(TemporaryFiles, OnlyTheProgramsOwnPatternNamesAnOwner) {
  EXPECT_EQ(TemporaryPathFor(u"C:\\Tools\\Viewer.ini", 4242, 7),
            u"C:\\Tools\\Viewer.ini.4242-7.tmp");
  struct Case {
    std::u16string_view name;
    std::optional<std::uint32_t> owner;
  };
  const Case cases[] = {
      {u"Viewer.ini.4242-7.tmp", 4242},
      {u"VIEWER.INI.1-0.TMP", 1},
      {u"Viewer.ini.4294967295-4294967295.tmp", 4294967295u},
      {u"Viewer.ini.4294967296-0.tmp", std::nullopt},  // no process id
      {u"Viewer.ini.12-.tmp", std::nullopt},
      {u"Viewer.ini.12-3.tmp.bak", std::nullopt},
      {u"Viewer.ini.bak.tmp", std::nullopt},
      {u"Viewer.ini.1 2-3.tmp", std::nullopt},
      {u"Other.ini.12-3.tmp", std::nullopt},
      {u"Viewer.ini.12-3", std::nullopt},
      {u"Viewer.ini.12.3.tmp", std::nullopt},
      {u"Viewer.bak.12-3.tmp", std::nullopt},  // another file's, its name as long
      {u"Viewer.ini", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TemporaryFileOwner(c.name, u"Viewer.ini"), c.owner)
        << "name of " << c.name.size() << " units";
  }
  EXPECT_EQ(TemporaryFileOwner(u".12-3.tmp", u""), std::nullopt) << "no target, no temporary file of it";
}

}  // namespace
}  // namespace orvane
