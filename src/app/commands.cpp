#include "app/commands.h"

#include <algorithm>
#include <array>

namespace orvane {
namespace {

constexpr Shortcut Ctrl(char16_t c) { return {static_cast<std::uint16_t>(c), kCtrl}; }
constexpr Shortcut CtrlShift(char16_t c) {
  return {static_cast<std::uint16_t>(c), static_cast<std::uint8_t>(kCtrl | kShift)};
}
using enum Cmd;
using enum RowKind;
using enum Enable;

constexpr std::array kRows{
    MenuRow{Item, Clear1, Cmd::None, u"クリアして入力", {}, false, NoKey},
    MenuRow{Separator, Cmd::None, Cmd::None, u"", {}, false},
    MenuRow{Item, Cut1, Cmd::None, u"切取り", Ctrl(u'X'), false, Selection},
    MenuRow{Item, Copy1, Cmd::None, u"コピー", Ctrl(u'C'), false, Selection},
    MenuRow{Item, Paste1, Cmd::None, u"貼付け", Ctrl(u'V'), false, Clipboard},
    MenuRow{Item, SelectAll1, Cmd::None, u"すべて選択", Ctrl(u'A'), false, NotEmpty},
    MenuRow{Item, Delete1, Cmd::None, u"削除", {kVkDelete, 0}, false, Selection},
    MenuRow{Item, Undo1, Cmd::None, u"戻す", Ctrl(u'Z'), false, CanUndo},
    MenuRow{Separator, Cmd::None, Cmd::None, u"", {}, false},
    MenuRow{Item, FullScreen1, Cmd::None, u"全画面表示", {kVkSpace, kCtrl}, false, NotBlank},
    MenuRow{Item, CopyImage1, Cmd::None, u"画像をコピー", CtrlShift(u'C'), false, NotBlankNoKey},
    MenuRow{Item, SaveAs1, Cmd::None, u"画像で保存...", Ctrl(u'S'), false, NotBlankNoKey},
    MenuRow{Submenu, Print0, Cmd::None, u"印刷", {}, false},
    MenuRow{Item, Print1, Print0, u"1文字1枚...", Ctrl(u'P'), false, NotBlank},
    MenuRow{Item, Print2, Print0, u"全体1枚...", CtrlShift(u'P'), false},
    MenuRow{Item, OrvaneFloat1, Cmd::None, u"テロップ表示", {kVkReturn, kCtrl}, false, NotBlank},
    MenuRow{Item, Information1, Cmd::None, u"情報表示", Ctrl(u'I'), false},
    MenuRow{Separator, Cmd::None, Cmd::None, u"", {}, false},
    MenuRow{Item, SelectFont1, Cmd::None, u"フォント設定...", Ctrl(u'F'), false},
    MenuRow{Submenu, SelectColor1, Cmd::None, u"カラー設定", {}, false},
    MenuRow{Item, FontColor1, SelectColor1, u"文字色...", {}, false},
    MenuRow{Item, BackColor1, SelectColor1, u"背景色...", {}, false, NoKey},
    MenuRow{Item, AlterNate1, SelectColor1, u"入替え", {}, false, NoKey},
    MenuRow{Submenu, Window1, Cmd::None, u"ウィンドウ設定", {}, false},
    MenuRow{Item, Centering1, Window1, u"センタリング", {}, false},
    MenuRow{Item, StayOnTop1, Window1, u"常に手前に表示", {}, true},
    MenuRow{Separator, Cmd::None, Window1, u"", {}, false},
    MenuRow{Item, Maximize1, Window1, u"最大化", {}, true},
    MenuRow{Item, Minimize1, Window1, u"最小化", {}, false},
    MenuRow{Submenu, N2, Cmd::None, u"ショートカット設定", {}, false},
    MenuRow{Item, ScDeskTop1, N2, u"デスクトップに登録・削除", {}, false},
    MenuRow{Item, ScStartMenu1, N2, u"スタートメニューに登録・削除", {}, false},
    MenuRow{Item, ScStartUp1, N2, u"スタートアップに登録・削除", {}, false},
    MenuRow{Separator, Cmd::None, Cmd::None, u"", {}, false},
    MenuRow{Submenu, Help1, Cmd::None, u"ヘルプ", {}, false},
    MenuRow{Item, Help2, Help1, u"ヘルプ表示", {kVkF1, 0}, false},
    MenuRow{Item, About1, Help1, u"バージョン情報", {}, false},
    MenuRow{Item, Properties1, Help1, u"プロパティ表示", {kVkReturn, kAlt}, false},
    MenuRow{Item, Donation1, Help1, u"開発支援", {}, false},
    MenuRow{Item, HomeSite1, Help1, u"ホームサイト", {}, false},
    MenuRow{Item, ClearClose1, Cmd::None, u"クリアして終了", {}, false},
    MenuRow{Item, Exit1, Cmd::None, u"終了", {kVkEscape, 0}, false},
};

// Every command appears once, so RowOf can index a table built at compile time.
constexpr auto kRowIndex = [] {
  std::array<int, kCommandCount> index{};
  for (int i = 0; i < static_cast<int>(kRows.size()); ++i) {
    if (kRows[i].id != Cmd::None) index[IndexOf(kRows[i].id)] = i;
  }
  return index;
}();

}  // namespace

std::span<const MenuRow> MenuRows() noexcept { return kRows; }

const MenuRow& RowOf(Cmd id) noexcept { return kRows[kRowIndex[IndexOf(id)]]; }

std::u16string ShortcutText(Shortcut shortcut) {
  if (shortcut.key == 0) return {};
  std::u16string text;
  if (shortcut.modifiers & kCtrl) text += u"Ctrl+";
  if (shortcut.modifiers & kShift) text += u"Shift+";
  if (shortcut.modifiers & kAlt) text += u"Alt+";
  switch (shortcut.key) {
    case kVkReturn: text += u"Enter"; break;
    case kVkEscape: text += u"Esc"; break;
    case kVkSpace: text += u"Space"; break;
    case kVkDelete: text += u"Del"; break;
    default:
      if (shortcut.key >= kVkF1 && shortcut.key < kVkF1 + 24) {
        text += u'F';
        int n = shortcut.key - kVkF1 + 1;
        if (n >= 10) text += static_cast<char16_t>(u'0' + n / 10);
        text += static_cast<char16_t>(u'0' + n % 10);
      } else {
        text += static_cast<char16_t>(shortcut.key);
      }
  }
  return text;
}

Cmd FindShortcut(std::uint16_t key, std::uint8_t modifiers, bool altGr) noexcept {
  if (altGr || key == 0) return Cmd::None;
  Shortcut pressed{key, modifiers};
  auto row = std::find_if(kRows.begin(), kRows.end(),
                          [&](const MenuRow& r) { return r.kind == RowKind::Item && r.shortcut == pressed; });
  return row == kRows.end() ? Cmd::None : row->id;
}

}  // namespace orvane
