#include "desktop/shortcut_texts.h"

#include "platform/version.h"

namespace orvane {
namespace {

constexpr std::u16string_view kNewLine = u"\r\n";
constexpr std::size_t kMaxPath = 260;

bool IsDelimiter(char16_t c) { return c == u'\\' || c == u'/'; }

std::u16string Join(std::initializer_list<std::u16string_view> parts) {
  std::u16string text;
  for (std::u16string_view part : parts) text += part;
  return text;
}

}  // namespace

std::u16string ShortcutPath(std::u16string_view folder) { return Join({folder, kProductName, u".Lnk"}); }

std::u16string ExistenceQuestion(std::u16string_view word, std::u16string_view title) {
  return Join({word, u"に ", title, u".Lnk", u" は 既に存在します。", kNewLine,  //
               kNewLine,                                                    //
               u"更新しますか？", kNewLine,                                   //
               u"[はい]: 更新する, [いいえ]: 削除する, [キャンセル]: 取消し", kNewLine});
}

std::u16string OutcomeMessage(ShortcutOutcome outcome, std::u16string_view word, std::u16string_view exe,
                              std::u16string_view link) {
  auto withExe = [&](std::u16string_view what) { return Join({word, what, kNewLine, kNewLine, exe, kNewLine, link}); };
  auto linkOnly = [&](std::u16string_view what) { return Join({word, what, kNewLine, kNewLine, link}); };
  switch (outcome) {
    case ShortcutOutcome::Created:
      return withExe(u"に新規に作成しました。");
    case ShortcutOutcome::NotCreated:
      return linkOnly(u"に新規作成できませんでした。");
    case ShortcutOutcome::Updated:
      return withExe(u"を更新しました。");
    case ShortcutOutcome::NotUpdated:
      return linkOnly(u"を更新できませんでした。");
    case ShortcutOutcome::Deleted:
      return linkOnly(u"から削除しました。");
    case ShortcutOutcome::NotDeleted:
      return linkOnly(u"から削除できませんでした。");
  }
  return {};
}

std::u16string FolderQuestion(std::u16string_view word) { return Join({u"フォルダ ", word, u" を開きますか？"}); }

std::u16string SelectParameters(std::u16string_view link) { return Join({u"/select,\"", link, u"\""}); }

std::optional<std::u16string> LinkFolder(std::u16string_view path) {
  if (path.size() >= kMaxPath) return std::nullopt;
  std::size_t cut = path.size();
  while (cut > 0 && !IsDelimiter(path[cut - 1])) --cut;
  if (cut == 0) return std::u16string();
  std::u16string_view folder = path.substr(0, cut - 1);
  // A root keeps its delimiter: "C:\" and "\" name the root, "C:" and "" do not.
  if (folder.empty() || (folder.size() == 2 && folder[1] == u':')) folder = path.substr(0, cut);
  return std::u16string(folder);
}

}  // namespace orvane
