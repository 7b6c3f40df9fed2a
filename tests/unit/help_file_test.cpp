// The help file against the program: the menu page names every command of the
// table with its shortcut, and a reader of compiled help files finds every
// page and the index in the built Orvane.chm.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "app/commands.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

const fs::path kSources = ORVANE_HELP_SOURCE;

std::string Utf8(std::u16string_view text) {
  std::string bytes;
  for (char16_t c : text) {  // the captions are all in the basic plane
    if (c < 0x80) {
      bytes += static_cast<char>(c);
    } else if (c < 0x800) {
      bytes += static_cast<char>(0xC0 | (c >> 6));
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      bytes += static_cast<char>(0xE0 | (c >> 12));
      bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return bytes;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

TEST(HelpPages, TheMenuPageNamesEveryCommandWithItsShortcut) {
  std::string page = ReadAll(kSources / "menu.html");
  ASSERT_FALSE(page.empty());
  for (const MenuRow& row : MenuRows()) {
    if (row.kind != RowKind::Item) continue;
    std::string cells =
        "<td>" + Utf8(row.caption) + "</td><td>" + Utf8(ShortcutText(row.shortcut)) + "</td>";
    EXPECT_NE(page.find(cells), std::string::npos) << cells;
  }
}

TEST(HelpFile, AReaderFindsEveryPageAndTheIndexInTheCompiledFile) {
#if !defined(ORVANE_HELP_FILE) || defined(_WIN32)
  GTEST_SKIP() << "no help file is built here, or no reader for it";
#else
  const fs::path help = ORVANE_HELP_FILE;
  ASSERT_TRUE(fs::exists(help)) << help;
  const fs::path out = help.parent_path() / "extracted";
  fs::remove_all(out);
  int result = std::system(
      ("extract_chmLib '" + help.string() + "' '" + out.string() + "' >/dev/null 2>&1").c_str());
  if (WIFEXITED(result) && WEXITSTATUS(result) == 127)
    GTEST_SKIP() << "extract_chmLib (libchm-bin) is missing";
  ASSERT_EQ(result, 0);
  int pages = 0;
  for (const fs::directory_entry& source : fs::directory_iterator(kSources)) {
    std::string name = source.path().filename().string();
    if (name.ends_with(".hhp")) continue;  // the project, not part of the file
    if (name.ends_with(".html")) ++pages;
    EXPECT_TRUE(fs::exists(out / name)) << name;
  }
  EXPECT_GE(pages, 11) << "an index page and one page per group of commands";
  EXPECT_TRUE(fs::exists(out / "index.html"));
  EXPECT_TRUE(fs::exists(out / "Orvane.hhk")) << "the keyword index";
  EXPECT_EQ(ReadAll(out / "menu.html"), ReadAll(kSources / "menu.html"))
      << "the page checked above";
  fs::remove_all(out);
#endif
}

}  // namespace
}  // namespace orvane
