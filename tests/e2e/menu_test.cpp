// The command menu as the user sees it: opened with the right button, from the
// system menu or through its shortcuts, with its live captions, check marks
// and grey items.

#include <gtest/gtest.h>

#include "driver.h"
#include "menu_reader.h"

namespace e2e {
namespace {

struct Expected {
  int depth;
  const wchar_t* caption;  // nullptr: a separator
  const wchar_t* shortcut;
};

const Expected kMenu[] = {
    {0, L"クリアして入力", L""},
    {0, nullptr, nullptr},
    {0, L"切取り", L"Ctrl+X"},
    {0, L"コピー", L"Ctrl+C"},
    {0, L"貼付け", L"Ctrl+V"},
    {0, L"すべて選択", L"Ctrl+A"},
    {0, L"削除", L"Del"},
    {0, L"戻す", L"Ctrl+Z"},
    {0, nullptr, nullptr},
    {0, L"全画面表示", L"Ctrl+Space"},
    {0, L"画像をコピー", L"Ctrl+Shift+C"},
    {0, L"画像で保存...", L"Ctrl+S"},
    {0, L"印刷", L""},
    {1, L"1文字1枚...", L"Ctrl+P"},
    {1, L"全体1枚...", L"Ctrl+Shift+P"},
    {0, L"テロップ表示", L"Ctrl+Enter"},
    {0, L"情報表示", L"Ctrl+I"},
    {0, nullptr, nullptr},
    {0, L"フォント設定...", L"Ctrl+F"},
    {0, L"カラー設定", L""},
    {1, L"文字色...", L""},
    {1, L"背景色...", L""},
    {1, L"入替え", L""},
    {0, L"ウィンドウ設定", L""},
    {1, L"センタリング", L""},
    {1, L"常に手前に表示", L""},
    {1, nullptr, nullptr},
    {1, L"最大化 (*)", L""},
    {1, L"最小化", L""},
    {0, L"ショートカット設定", L""},
    {1, L"デスクトップに登録・削除", L""},
    {1, L"スタートメニューに登録・削除", L""},
    {1, L"スタートアップに登録・削除", L""},
    {0, nullptr, nullptr},
    {0, L"ヘルプ", L""},
    {1, L"ヘルプ表示", L"F1"},
    {1, L"バージョン情報", L""},
    {1, L"プロパティ表示", L"Alt+Enter"},
    {1, L"開発支援", L""},
    {1, L"ホームサイト", L""},
    {0, L"クリアして終了", L""},
    {0, L"終了", L"Esc"},
};

void EmptyClipboard() {
  if (WaitUntil([] { return ::OpenClipboard(nullptr) != FALSE; }, 2s)) {
    ::EmptyClipboard();
    ::CloseClipboard();
  }
}

std::wstring WorkAreaSize() {
  const RECT work = WorkArea();
  return std::to_wstring(work.right - work.left) + L"x" + std::to_wstring(work.bottom - work.top);
}

const MenuLine* Find(const std::vector<MenuLine>& menu, std::wstring_view caption) {
  for (const MenuLine& line : menu) {
    if (line.Caption() == caption || line.Caption().starts_with(std::wstring(caption) + L" (")) return &line;
  }
  return nullptr;
}

class CommandMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    EmptyClipboard();
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.Activate());
  }
  void TearDown() override { CloseMenu(); }

  std::vector<MenuLine> OpenAndRead() {
    SIZE client = app.ClientSize();
    app.RightClickClient({client.cx / 2, client.cy / 2});
    EXPECT_TRUE(WaitUntil([] { return OpenMenuWindow() != nullptr; })) << "no menu opened";
    return ReadOpenMenu();
  }
  void CloseMenu() {
    if (!OpenMenuWindow()) return;
    app.PressKey(VK_ESCAPE);
    WaitUntil([] { return OpenMenuWindow() == nullptr; });
  }

  Orvane app;
};

TEST_F(CommandMenu, RightButtonShowsEveryItemCaptionAndShortcutInOrder) {
  std::vector<MenuLine> menu = OpenAndRead();
  ASSERT_EQ(menu.size(), std::size(kMenu));
  for (std::size_t i = 0; i < menu.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(menu[i].depth, kMenu[i].depth);
    if (!kMenu[i].caption) {
      EXPECT_TRUE(menu[i].Separator());
      continue;
    }
    std::wstring caption = kMenu[i].caption;
    if (caption == L"最大化 (*)") caption = L"最大化 (" + WorkAreaSize() + L")";
    EXPECT_EQ(menu[i].Caption(), caption);
    EXPECT_EQ(menu[i].Shortcut(), kMenu[i].shortcut);
  }
  // The first start selects the whole text: its mark is set, its edits enabled.
  EXPECT_TRUE(Find(menu, L"すべて選択")->Checked());
  EXPECT_FALSE(Find(menu, L"切取り")->Grey());
  EXPECT_TRUE(Find(menu, L"貼付け")->Grey()) << "nothing to paste";
  EXPECT_TRUE(Find(menu, L"戻す")->Grey()) << "nothing to undo";
  EXPECT_FALSE(Find(menu, L"全画面表示")->Checked());
  EXPECT_FALSE(Find(menu, L"常に手前に表示")->Checked());
  EXPECT_FALSE(Find(menu, L"最大化")->Checked());
}

TEST_F(CommandMenu, BlankTextGreysTheCommandsThatNeedCharacters) {
  app.Type(L"  ");
  ASSERT_TRUE(app.WaitForFittedCaption(L"  "));
  std::vector<MenuLine> menu = OpenAndRead();
  for (const wchar_t* caption : {L"全画面表示", L"画像をコピー", L"画像で保存...", L"1文字1枚...", L"テロップ表示"}) {
    EXPECT_TRUE(Find(menu, caption)->Grey()) << testing::PrintToString(std::wstring(caption));
  }
  EXPECT_FALSE(Find(menu, L"全体1枚...")->Grey());
  EXPECT_FALSE(Find(menu, L"すべて選択")->Checked()) << "the caret sits after the blanks";
  CloseMenu();

  // Their shortcuts reach the text field instead: Ctrl+Space types a blank.
  RECT before = app.WindowRect();
  app.PressKey(VK_SPACE, Orvane::kCtrl);
  EXPECT_TRUE(app.WaitForFittedCaption(L"   "));
  EXPECT_EQ(app.WindowRect().right, before.right) << "no full screen";
  EXPECT_NE(::GetWindowLongPtrW(app.Window(), GWL_STYLE) & WS_CAPTION, 0);
}

TEST_F(CommandMenu, EmptyTextClearsAndGreysSelectAll) {
  app.PressKey(VK_DELETE);
  ASSERT_TRUE(WaitUntil([&] { return app.Text().empty(); }));
  std::vector<MenuLine> menu = OpenAndRead();
  EXPECT_FALSE(Find(menu, L"すべて選択")->Checked());
  EXPECT_TRUE(Find(menu, L"すべて選択")->Grey());
  EXPECT_TRUE(Find(menu, L"削除")->Grey());
}

TEST_F(CommandMenu, EditShortcutsCutCopyPasteUndoAndSelectAll) {
  // Ctrl+A on a wholly selected text leaves the caret at the end; again selects all.
  app.PressKey('A', Orvane::kCtrl);
  EXPECT_TRUE(WaitUntil([&] { return app.Selection() == std::pair{6, 6}; }));
  app.PressKey('A', Orvane::kCtrl);
  EXPECT_TRUE(WaitUntil([&] { return app.Selection() == std::pair{0, 6}; }));

  app.PressKey('C', Orvane::kCtrl);
  app.PressKey(VK_END);
  app.PressKey('V', Orvane::kCtrl);
  EXPECT_TRUE(app.WaitForFittedCaption(L"OrvaneOrvane"));

  app.PressKey('Z', Orvane::kCtrl);
  EXPECT_TRUE(app.WaitForFittedCaption(L"Orvane"));

  app.PressKey('A', Orvane::kCtrl);
  app.PressKey('X', Orvane::kCtrl);
  EXPECT_TRUE(WaitUntil([&] { return app.Text().empty(); }));
  app.PressKey('V', Orvane::kCtrl);
  EXPECT_TRUE(WaitUntil([&] { return app.Text() == L"Orvane"; }));
  EXPECT_EQ(app.Caption(), app.ExpectedCaption(L"Orvane")) << "every edit refits";
}

TEST_F(CommandMenu, DeleteRemovesTheSelectionOrTheNextCharacter) {
  app.PressKey(VK_HOME);
  app.PressKey(VK_DELETE);  // nothing selected: the key goes on to the text field
  EXPECT_TRUE(WaitUntil([&] { return app.Text() == L"rvane"; }));
  app.PressKey(VK_END, Orvane::kShift);
  app.PressKey(VK_DELETE);  // a selection: the command removes it
  EXPECT_TRUE(WaitUntil([&] { return app.Text().empty(); }));
}

TEST_F(CommandMenu, SystemMenuCarriesTheItemOnceAndOpensTheMenuAtTheCursor) {
  auto items = [&] { return SystemMenuItems(app.Window()); };
  // The item is added once the printer has been looked up, just after the first show.
  EXPECT_TRUE(WaitUntil([&] { return items() == 1; })) << items();

  SIZE client = app.ClientSize();
  POINT cursor{client.cx / 3, client.cy / 3};
  ::ClientToScreen(app.Window(), &cursor);
  PointerTo(cursor);
  ::PostMessageW(app.Window(), WM_SYSCOMMAND, 100, 0);
  ASSERT_TRUE(WaitUntil([] { return OpenMenuWindow() != nullptr; }));
  RECT menu{};
  ::GetWindowRect(OpenMenuWindow(), &menu);
  EXPECT_NEAR(menu.left, cursor.x, 2);
  EXPECT_NEAR(menu.top, cursor.y, 2);
  EXPECT_EQ(ReadOpenMenu().size(), std::size(kMenu));
}

}  // namespace
}  // namespace e2e
