// The help against the program: what its pages say that the core knows too
// (the commands and their keys, the settings file's sections and keys, the
// report's sections, the messages they quote, the version, the pages' folder)
// is checked against the core; a reader of compiled help files finds every
// page and the index in the built Orvane.chm.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "../support/fake_ansi_codec.h"
#include "app/commands.h"
#include "app/menu_state.h"
#include "desktop/help_search.h"
#include "desktop/shortcut_texts.h"
#include "display/font_fit.h"
#include "platform/user_error.h"
#include "platform/version.h"
#include "report/information_report.h"
#include "settings/ini_document.h"
#include "settings/setting_values.h"
#include "settings/settings_model.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

const fs::path kSources = ORVANE_HELP_SOURCE;
const fs::path kPages = ORVANE_HELP_PAGES;  // as built: the version label filled in
constexpr std::string_view kComma = "、";

std::string Utf8(std::u16string_view text) {
  std::string bytes;
  for (char16_t c : text) {  // the texts checked are all in the basic plane
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

std::string Between(const std::string& text, std::string_view from, std::string_view to) {
  const std::size_t start = text.find(from);
  if (start == std::string::npos) return {};
  const std::size_t end = text.find(to, start + from.size());
  return text.substr(start + from.size(),
                     end == std::string::npos ? end : end - start - from.size());
}

// The first cell of every table row, split at "、": the keys a table names.
std::set<std::string> KeyCells(const std::string& html) {
  std::set<std::string> keys;
  for (std::size_t at = html.find("<tr><td>"); at != std::string::npos;
       at = html.find("<tr><td>", at + 1)) {
    std::string cell = Between(html.substr(at), "<tr><td>", "</td>");
    for (std::size_t comma; (comma = cell.find(kComma)) != std::string::npos;
         cell.erase(0, comma + kComma.size()))
      keys.insert(cell.substr(0, comma));
    keys.insert(cell);
  }
  return keys;
}

std::vector<std::u16string> Keys(const IniSection& section) {
  std::vector<std::u16string> keys;
  for (const std::u16string& line : section.lines) keys.push_back(line.substr(0, line.find(u'=')));
  return keys;
}

// The program's sections as it writes them at a close.
IniDocument Written(unsigned style) {
  IniDocument document;
  StoreSettings(document, {u"Orvane.exe", u"C:\\Tools\\", kVersionLabel, u"2025/05/01"},
                PositionSection{}, OptionSection{.text = u"Orvane", .style = style});
  return document;
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

TEST(HelpPages, ACommandNamedWithAKeyOnAnyPageHasTheKeyOfTheList) {
  // "<h2>全画面表示（Ctrl+Space）</h2>", "「情報表示」（<kbd>Ctrl+I</kbd>）".
  int named = 0;
  for (const fs::directory_entry& source : fs::directory_iterator(kSources)) {
    if (source.path().extension() != ".html") continue;
    const std::string page = ReadAll(source.path());
    for (const MenuRow& row : MenuRows()) {
      if (row.kind != RowKind::Item || row.shortcut == kNoKey) continue;
      const std::string caption = Utf8(row.caption);
      for (std::size_t at = page.find(caption); at != std::string::npos;
           at = page.find(caption, at + 1)) {
        const std::string_view before = std::string_view(page).substr(0, at);
        if (!before.ends_with(">") && !before.ends_with("「")) continue;  // part of a longer name
        std::string after = page.substr(at + caption.size());
        if (after.starts_with("」")) after.erase(0, std::string_view("」").size());
        if (!after.starts_with("（")) continue;
        std::string key = Between(after, "（", "）");
        for (std::string_view tag : {"<kbd>", "</kbd>"})
          if (std::size_t t = key.find(tag); t != std::string::npos) key.erase(t, tag.size());
        EXPECT_EQ(key, Utf8(ShortcutText(row.shortcut)))
            << source.path().filename() << ": " << caption;
        ++named;
      }
    }
  }
  EXPECT_GT(named, 0);
}

TEST(HelpPages, TheSettingsPageNamesEverySectionAndKeyTheProgramWrites) {
  const std::string page = ReadAll(kSources / "settings.html");
  for (const IniSection& section : Written(kBold | kItalic | kUnderline | kStrikeOut).sections) {
    const std::string header = "<h2>[" + Utf8(section.name) + "]</h2>";
    ASSERT_NE(page.find(header), std::string::npos) << header;
    std::set<std::string> keys;
    for (const std::u16string& key : Keys(section)) keys.insert(Utf8(key));
    EXPECT_EQ(KeyCells(Between(page, header, "<h2>")), keys) << header;
  }
}

TEST(HelpPages, TheSettingsExampleIsAFileAsTheProgramWritesItWithThisVersion) {
  const std::string example =
      Between(ReadAll(kPages / "settings.html"), "<pre>[PROGRAM]", "</pre>");
  ASSERT_FALSE(example.empty());
  const IniDocument shown =
      ParseIni("\xEF\xBB\xBF[PROGRAM]" + example, testing_support::FakeAnsiCodec());
  const IniDocument written = Written(0);
  ASSERT_EQ(shown.sections.size(), written.sections.size());
  for (std::size_t i = 0; i < shown.sections.size(); ++i) {
    EXPECT_EQ(shown.sections[i].name, written.sections[i].name);
    EXPECT_EQ(Keys(shown.sections[i]), Keys(written.sections[i])) << Utf8(written.sections[i].name);
  }
  EXPECT_EQ(ReadValue(shown, u"PROGRAM", u"Version"), std::u16string(kVersionLabel));
}

TEST(HelpPages, TheInformationPageCountsTheReportsLinesAndNamesItsSections) {
  const std::u16string report = InformationReport(ReportSnapshot{});
  int lines = 0;
  std::set<std::string> sections;
  for (std::size_t start = 0, end; (end = report.find(u"\r\n", start)) != std::u16string::npos;
       start = end + 2) {
    ++lines;
    if (report[start] == u'[') sections.insert(Utf8(report.substr(start, end - start)));
  }
  const std::string page = ReadAll(kSources / "information.html");
  EXPECT_NE(page.find(" " + std::to_string(lines) + " 行"), std::string::npos) << lines << " lines";
  EXPECT_EQ(KeyCells(page), sections);
}

TEST(HelpPages, TheMessagesAndCaptionsThePagesQuoteAreTheProgramsOwn) {
  MenuSnapshot window;  // not full screen: the work area's size
  window.screenWidth = 1920;
  window.screenHeight = 1080;
  window.workAreaWidth = 1920;
  window.workAreaHeight = 1040;
  const auto firstLine = [](const std::u16string& text) {
    return text.substr(0, text.find(u'\r'));
  };
  std::u16string colorError;
  try {
    (void)TextToColor(u"red");
  } catch (const UserError& error) {
    colorError = WithFullStop(error.message());
  }
  const struct {
    const char* page;
    std::u16string text;
  } quotes[] = {
      {"display.html", CaptionText(u"Orvane", 440, 220, u"ＭＳ 明朝")},
      {"menu.html", PrepareMenu(window).maximizeCaption},
      {"menu.html", MissingHelpMessage(u"C:\\Tools\\Orvane.exe")},
      {"information.html", ReportColor(kWhite)},
      {"settings.html", colorError},
      {"shortcuts.html", firstLine(ExistenceQuestion(u"DeskTop", u"Orvane"))},
      {"shortcuts.html", firstLine(OutcomeMessage(ShortcutOutcome::Created, u"DeskTop", u"", u""))},
      {"shortcuts.html", FolderQuestion(u"DeskTop")},
  };
  for (const auto& quote : quotes) {
    std::string text = Utf8(quote.text);
    for (std::size_t cr; (cr = text.find('\r')) != std::string::npos;) text.erase(cr, 1);
    EXPECT_NE(ReadAll(kSources / quote.page).find(text), std::string::npos)
        << quote.page << ": " << text;
  }
}

TEST(HelpPages, ThePagesAreBuiltIntoTheFolderF1LooksForAndTheHelpNamesIt) {
  const std::u16string index = HelpPagesName(u"C:\\Tools\\Orvane.exe");
  EXPECT_EQ(Utf8(index), "C:\\Tools\\" + kPages.filename().string() + "\\index.html");
  for (const fs::directory_entry& source : fs::directory_iterator(kSources)) {
    const std::string name = source.path().filename().string();
    // The help compiler's project, contents and index stay out.
    EXPECT_EQ(fs::exists(kPages / name), !source.path().extension().string().starts_with(".hh"))
        << name;
  }
  for (const char* page : {"index.html", "menu.html"}) {
    EXPECT_NE(ReadAll(kSources / page).find(kPages.filename().string()), std::string::npos) << page;
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
  EXPECT_EQ(ReadAll(out / "settings.html"), ReadAll(kPages / "settings.html"))
      << "the same pages as the browser's";
  fs::remove_all(out);
#endif
}

}  // namespace
}  // namespace orvane
