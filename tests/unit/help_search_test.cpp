#include "desktop/help_search.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace orvane {
namespace {

TEST(HelpSearch, NameAndDirectoryParts) {
  EXPECT_EQ(HelpFileName(u"C:\\Tools\\Orvane.exe"), u"C:\\Tools\\Orvane.chm");
  EXPECT_EQ(HelpFileName(u"C:\\v1.3\\Orvane"), u"C:\\v1.3\\Orvane.chm");
  EXPECT_EQ(HelpFileName(u"C:\\Tools\\my.tool.exe"), u"C:\\Tools\\my.tool.chm");
  EXPECT_EQ(HelpPagesName(u"C:\\Tools\\Orvane.exe"), u"C:\\Tools\\Orvane-help\\index.html");
  EXPECT_EQ(HelpPagesName(u"C:\\v1.3\\Orvane"), u"C:\\v1.3\\Orvane-help\\index.html");
  EXPECT_EQ(HelpPagesName(u"Orvane.exe"), u"Orvane-help\\index.html");
  EXPECT_EQ(HelpFileName(u"Orvane.exe"), u"Orvane.chm");
  EXPECT_EQ(HelpFileName(u"C:\\Tools\\.exe"), u"C:\\Tools\\.chm") << "a name that is all extension";

  struct Case {
    std::u16string_view path, directory;
  };
  for (const Case& c : std::vector<Case>{
           {u"C:\\Tools\\Orvane.chm", u"C:\\Tools"},
           {u"C:\\Tools", u"C:\\"},
           {u"C:\\Orvane.chm", u"C:\\"},
           {u"C:\\", u""},
           {u"C:\\Tools\\", u"C:\\Tools"},  // a trailing separator names the folder itself
           {u"C:/Tools/Orvane.chm", u"C:/Tools"},
           {u"C:", u""},
           {u"\\Orvane.chm", u"\\"},  // the current drive's root
           {u"\\", u""},
           {u"Tools\\", u"Tools"},
           {u"T\\", u"T"},
           {u"\\\\server\\share\\dir\\Orvane.chm", u"\\\\server\\share\\dir"},
           {u"\\\\server\\share\\dir", u"\\\\server\\share"},
           {u"\\\\server\\share", u""},
           {u"\\\\server\\share\\", u""},
           {u"\\\\server", u""},
           {u"\\\\", u""},
           {u"Orvane.chm", u""},
       }) {
    EXPECT_EQ(DirectoryPart(c.path), c.directory) << std::string(c.path.begin(), c.path.end());
  }
}

// The paths a search tests, in order, and what it finds.
struct Search {
  std::vector<std::u16string> tested;
  std::optional<std::u16string> found;
};

Search SearchFrom(std::u16string_view exe, std::set<std::u16string> files, bool pages = false) {
  Search search;
  auto exists = [&](const std::u16string& path) {
    search.tested.push_back(path);
    return files.count(path) > 0;
  };
  search.found = pages ? FindHelpPagesOrFile(exe, exists) : FindHelpFile(exe, exists);
  return search;
}

TEST(HelpSearch, BesideTheExeThenEachFolderAboveUpToTheRoot) {
  Search beside = SearchFrom(u"C:\\My Tools\\bin\\Orvane.exe", {u"C:\\My Tools\\bin\\Orvane.chm"});
  EXPECT_EQ(beside.found, u"C:\\My Tools\\bin\\Orvane.chm");
  EXPECT_EQ(beside.tested.size(), 1u);

  Search parent = SearchFrom(u"C:\\My Tools\\bin\\Orvane.exe", {u"C:\\My Tools\\Orvane.chm", u"C:\\Orvane.chm"});
  EXPECT_EQ(parent.found, u"C:\\My Tools\\Orvane.chm") << "the nearest one";

  Search none = SearchFrom(u"C:\\My Tools\\bin\\Orvane.exe", {});
  EXPECT_EQ(none.found, std::nullopt);
  EXPECT_EQ(none.tested, (std::vector<std::u16string>{u"C:\\My Tools\\bin\\Orvane.chm",
                                                      u"C:\\My Tools\\Orvane.chm", u"C:\\Orvane.chm"}));

  EXPECT_EQ(SearchFrom(u"C:\\Orvane.exe", {}).tested, std::vector<std::u16string>{u"C:\\Orvane.chm"})
      << "a drive root: one test";
  EXPECT_EQ(SearchFrom(u"\\\\server\\share\\app\\Orvane.exe", {}).tested,
            (std::vector<std::u16string>{u"\\\\server\\share\\app\\Orvane.chm", u"\\\\server\\share\\Orvane.chm"}))
      << "up to the share root";

  std::u16string deep = u"D:";
  for (int i = 0; i < 40; ++i) deep += u"\\folder" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26));
  Search longPath = SearchFrom(deep + u"\\Orvane.exe", {u"D:\\Orvane.chm"});
  EXPECT_EQ(longPath.found, u"D:\\Orvane.chm") << "a path past 260 units is searched like any other";
  EXPECT_EQ(longPath.tested.size(), 41u);
}

TEST(HelpSearch, ThePagesBeforeTheCompiledFileInEachFolderTheNearestWinning) {
  const std::u16string exe = u"C:\\My Tools\\bin\\Orvane.exe";
  const std::u16string pagesBeside = u"C:\\My Tools\\bin\\Orvane-help\\index.html";
  const std::u16string fileBeside = u"C:\\My Tools\\bin\\Orvane.chm";

  Search both = SearchFrom(exe, {pagesBeside, fileBeside}, true);
  EXPECT_EQ(both.found, pagesBeside);
  EXPECT_EQ(both.tested.size(), 1u);

  EXPECT_EQ(SearchFrom(exe, {fileBeside, u"C:\\My Tools\\Orvane-help\\index.html"}, true).found,
            fileBeside)
      << "the compiled file beside wins over pages further up";
  EXPECT_EQ(SearchFrom(exe, {pagesBeside}).found, std::nullopt)
      << "where the compiled file is asked for";

  Search none = SearchFrom(exe, {}, true);
  EXPECT_EQ(none.found, std::nullopt);
  EXPECT_EQ(none.tested,
            (std::vector<std::u16string>{
                pagesBeside, fileBeside, u"C:\\My Tools\\Orvane-help\\index.html",
                u"C:\\My Tools\\Orvane.chm", u"C:\\Orvane-help\\index.html", u"C:\\Orvane.chm"}));
  EXPECT_EQ(SearchFrom(u"\\\\server\\share\\Orvane.exe", {}, true).tested,
            (std::vector<std::u16string>{u"\\\\server\\share\\Orvane-help\\index.html",
                                         u"\\\\server\\share\\Orvane.chm"}))
      << "a share root: one folder";
}

TEST(HelpSearch, TheMessageNamesTheFileOnly) {
  EXPECT_EQ(MissingHelpMessage(u"C:\\My Tools\\Orvane.exe"), u"ヘルプファイルがありません。\r\n\r\nOrvane.chm");
  EXPECT_EQ(MissingHelpMessage(u"Orvane.exe"), u"ヘルプファイルがありません。\r\n\r\nOrvane.chm");
}

}  // namespace
}  // namespace orvane
