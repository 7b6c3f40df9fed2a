#include "desktop/shortcut_texts.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

constexpr std::u16string_view kExe = u"C:\\Tools\\Orvane.exe";
constexpr std::u16string_view kLink = u"C:\\users\\me\\Desktop\\Orvane.Lnk";

TEST(ShortcutTexts, ExistenceQuestionNamesTheTitleWhileTheFileKeepsTheProductName) {
  EXPECT_EQ(ExistenceQuestion(u"DeskTop", u"Orvane"),
            u"DeskTopに Orvane.Lnk は 既に存在します。\r\n\r\n更新しますか？\r\n"
            u"[はい]: 更新する, [いいえ]: 削除する, [キャンセル]: 取消し\r\n");
  // A renamed executable MYTOOL.EXE: the question says Mytool.Lnk ...
  EXPECT_TRUE(ExistenceQuestion(u"StartUp", u"Mytool").starts_with(u"StartUpに Mytool.Lnk は 既に存在します。\r\n"));
  // ... while the file is still the product's.
  EXPECT_EQ(ShortcutPath(u"C:\\users\\me\\Desktop\\"), kLink);
}

TEST(ShortcutTexts, OutcomeOfEachBranch) {
  struct Case {
    ShortcutOutcome outcome;
    std::u16string_view text;
  } cases[] = {
      {ShortcutOutcome::Created,
       u"DeskTopに新規に作成しました。\r\n\r\nC:\\Tools\\Orvane.exe\r\nC:\\users\\me\\Desktop\\Orvane.Lnk"},
      {ShortcutOutcome::NotCreated, u"DeskTopに新規作成できませんでした。\r\n\r\nC:\\users\\me\\Desktop\\Orvane.Lnk"},
      {ShortcutOutcome::Updated,
       u"DeskTopを更新しました。\r\n\r\nC:\\Tools\\Orvane.exe\r\nC:\\users\\me\\Desktop\\Orvane.Lnk"},
      {ShortcutOutcome::NotUpdated, u"DeskTopを更新できませんでした。\r\n\r\nC:\\users\\me\\Desktop\\Orvane.Lnk"},
      {ShortcutOutcome::Deleted, u"DeskTopから削除しました。\r\n\r\nC:\\users\\me\\Desktop\\Orvane.Lnk"},
      {ShortcutOutcome::NotDeleted, u"DeskTopから削除できませんでした。\r\n\r\nC:\\users\\me\\Desktop\\Orvane.Lnk"},
  };
  for (const Case& c : cases) EXPECT_EQ(OutcomeMessage(c.outcome, u"DeskTop", kExe, kLink), c.text);
  EXPECT_EQ(FolderQuestion(u"Program Menu"), u"フォルダ Program Menu を開きますか？");
  EXPECT_EQ(SelectParameters(kLink), u"/select,\"C:\\users\\me\\Desktop\\Orvane.Lnk\"");
}

TEST(LinkFolder, CutBeforeTheLastDelimiterARootKeepingItsBackslash) {
  struct Case {
    std::u16string_view path, folder;
  } cases[] = {
      {kLink, u"C:\\users\\me\\Desktop"},
      {u"C:\\Orvane.Lnk", u"C:\\"},
      {u"\\Orvane.Lnk", u"\\"},
      {u"\\\\server\\share\\Orvane.Lnk", u"\\\\server\\share"},
      {u"C:/a/Orvane.Lnk", u"C:/a"},
      {u"Orvane.Lnk", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(LinkFolder(c.path), std::u16string(c.folder));
  const std::u16string_view said = u"see Orvane.Lnk";
  EXPECT_EQ(LinkFolder(said.substr(4)), u"") << "a bare name has no folder, whatever text it was cut from";
  std::u16string longest = u"C:\\" + std::u16string(245, u'x') + u"\\Orvane.Lnk";  // 259 units
  EXPECT_EQ(LinkFolder(longest), longest.substr(0, 248));
  EXPECT_EQ(LinkFolder(longest + u"k"), std::nullopt) << "260 units are refused, never cut";
}

}  // namespace
}  // namespace orvane
