// The program started at a scale of 150 percent: 144 pixels per inch, the
// system's setting, which a program reads once as it starts.

#include <gtest/gtest.h>

#include "driver.h"
#include "font_color_dialogs.h"
#include "menu_reader.h"

namespace e2e {
namespace {

// The window on screen once its paints are done, kept for a look (see KeepShot).
void KeepShotOf(const Orvane& app, HWND window, const std::string& what) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  app.Sync();
  RECT rect{};
  ::GetWindowRect(window, &rect);
  KeepShot(SettledCapture([&] { return CaptureScreen(rect); }), what);
}

TEST(Scale, At144DpiTheFontDialogShowsTwentyEightPointsAndTheAboutIconIsScaled) {
  if (!UnderWine()) GTEST_SKIP() << "on Windows a new scale takes a new sign-in";
  UserSetting scale(L"Control Panel\\Desktop", L"LogPixels", DWORD{144});
  ASSERT_TRUE(scale.Changed());
  Orvane app;
  ASSERT_TRUE(app.Started());
  ASSERT_TRUE(app.WaitForStartUp());
  ASSERT_TRUE(app.Activate());
  KeepShotOf(app, app.Window(), "window");

  app.PressKey('F', Orvane::kCtrl);
  FontDialogWindow font = FontDialogWindow::WaitFor(app);
  ASSERT_TRUE(font.hwnd());
  KeepShotOf(app, font.hwnd(), "font");
  EXPECT_EQ(font.Size(), L"28");
  ASSERT_TRUE(font.Cancel());

  ASSERT_TRUE(ChooseFromMenu(app, {L"ヘルプ", L"バージョン情報"}));
  HWND about = app.NextDialog();
  ASSERT_TRUE(about);
  KeepShotOf(app, about, "about");
  const RECT icon = Orvane::DialogIconRect(about);
  EXPECT_EQ(icon.right - icon.left, 48) << "the 32-pixel icon at 150 percent";
  ASSERT_TRUE(Orvane::PressOk(about));

  app.PressKey('I', Orvane::kCtrl);
  HWND report = app.NextDialog();
  ASSERT_TRUE(report);
  KeepShotOf(app, report, "report");
  ASSERT_TRUE(Orvane::PressOk(report));
}

}  // namespace
}  // namespace e2e
