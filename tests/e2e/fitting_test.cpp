// The stretched line: whatever is typed and however the window is sized, the
// text fills the client area, all of it in view, and the caption follows.

#include <gtest/gtest.h>

#include <cstdlib>

#include "driver.h"

namespace e2e {
namespace {

constexpr int kTolerance = 3;  // pixels: rounding of glyph outlines and centring

void ExpectBoxNear(const Box& got, const Box& want, int tolerance, const std::string& what) {
  EXPECT_NEAR(got.left, want.left, tolerance) << what << ": got " << ToString(got) << ", want " << ToString(want);
  EXPECT_NEAR(got.right, want.right, tolerance) << what << ": got " << ToString(got) << ", want " << ToString(want);
  EXPECT_NEAR(got.top, want.top, tolerance) << what << ": got " << ToString(got) << ", want " << ToString(want);
  EXPECT_NEAR(got.bottom, want.bottom, tolerance) << what << ": got " << ToString(got) << ", want " << ToString(want);
}

int Distance(const Box& a, const Box& b) {
  return std::max({std::abs(a.left - b.left), std::abs(a.right - b.right), std::abs(a.top - b.top),
                   std::abs(a.bottom - b.bottom)});
}

class Fitting : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.Activate());
  }

  // Replaces the whole text as a user would: select it by keys, type anew.
  void Retype(const std::wstring& text) {
    ASSERT_TRUE(app.Activate());
    app.SelectAll();
    app.Type(text);
    ASSERT_TRUE(app.WaitForFittedCaption(text))
        << "caption: " << testing::PrintToString(app.Caption());
  }

  // The line as the program should show it now, drawn by the test.
  Rendering Expected(const std::wstring& text) {
    SIZE client = app.ClientSize();
    int bytes = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    return RenderLine(text, DisplayFont(client.cy, client.cx / bytes), client.cx, client.cy);
  }

  Orvane app;
};

TEST_F(Fitting, TypedTextReplacesTheSelectionAndFillsTheWindow) {
  app.Type(L"ab");
  ASSERT_TRUE(app.WaitForFittedCaption(L"ab"))
      << testing::PrintToString(app.Caption());
  EXPECT_EQ(app.Text(), L"ab");

  Image shot = app.CaptureSettled();
  KeepShot(shot, "ab");
  Box ink = InkBox(shot);
  SIZE client = app.ClientSize();
  EXPECT_LT(ink.left, client.cx * 10 / 100) << ToString(ink);
  EXPECT_GT(ink.right, client.cx * 90 / 100) << ToString(ink);
  EXPECT_GT(ink.Height(), client.cy / 2) << ToString(ink);
}

TEST_F(Fitting, FontIsAsHighAsTheAreaAndAsWideAsItsShareOfTheTextBytes) {
  ASSERT_TRUE(app.ResizeClientTo(440, 220));
  struct Case {
    std::wstring text;
    int width;  // 440 / bytes in code page 932, where a kanji takes two
  };
  for (const Case& c : {Case{L"ab", 220}, Case{L"字", 220}, Case{L"字ab", 110}}) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    Retype(c.text);
    Image shot = app.CaptureSettled();
    KeepShot(shot, std::to_string(c.width) + "-" + std::to_string(c.text.size()));
    Box got = InkBox(shot);
    Box want = InkBox(RenderLine(c.text, DisplayFont(220, c.width), 440, 220).image);
    ExpectBoxNear(got, want, kTolerance, "ink");
    // The comparison tells a wrong width from the right one.
    Box halfWidth = InkBox(RenderLine(c.text, DisplayFont(220, c.width / 2), 440, 220).image);
    EXPECT_GT(Distance(want, halfWidth), 10 * kTolerance);
  }
}

TEST_F(Fitting, KanjiTypedAsUnicodeInputIsShown) {
  app.Type(L"字");
  ASSERT_TRUE(app.WaitForFittedCaption(L"字"))
      << testing::PrintToString(app.Caption());
  Image shot = app.CaptureSettled();
  ExpectBoxNear(InkBox(shot), InkBox(Expected(L"字").image), kTolerance, "ink");
}

TEST_F(Fitting, PastedTextIsFittedLikeTypedText) {
  app.Paste(L"字ab");
  ASSERT_TRUE(app.WaitForFittedCaption(L"字ab"))
      << testing::PrintToString(app.Caption());
  Image shot = app.CaptureSettled();
  ExpectBoxNear(InkBox(shot), InkBox(Expected(L"字ab").image), kTolerance, "ink");
}

// A single-line edit control scrolls to keep the caret in view; the fitted
// line must never lose its first or last letters to that.
TEST_F(Fitting, TheWholeLongLineStaysInView) {
  const std::wstring text = L"Wide open fields under a pale winter sky";  // 40 letters
  ASSERT_EQ(text.size(), 40u);
  app.Type(text);
  ASSERT_TRUE(app.WaitForFittedCaption(text, 10s))
      << testing::PrintToString(app.Caption());

  auto expectWholeLine = [&](const char* when) {
    SCOPED_TRACE(when);
    Image shot = app.CaptureSettled();
    KeepShot(shot, when);
    Rendering want = Expected(text);
    if (app.Selection().first != app.Selection().second) {
      // Selected: the highlight spans the line from its first letter to its last.
      Box lit = BoxOf(shot, [](std::uint32_t p) { return p != 0xFFFFFF; });
      ExpectBoxNear(lit, want.line, kTolerance, "highlight");
    } else {
      ExpectBoxNear(InkBox(shot), InkBox(want.image), kTolerance, "ink");
    }
  };

  expectWholeLine("typed");
  app.PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return app.Selection() == std::pair{0, 40}; }));
  expectWholeLine("all selected");
  app.PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return app.Selection() == std::pair{40, 40}; }));
  expectWholeLine("caret at end");
  app.PressKey(VK_HOME);
  ASSERT_TRUE(WaitUntil([&] { return app.Selection() == std::pair{0, 0}; }));
  expectWholeLine("home");
  app.PressKey(VK_END);
  ASSERT_TRUE(WaitUntil([&] { return app.Selection() == std::pair{40, 40}; }));
  expectWholeLine("end");
  ASSERT_TRUE(app.ResizeClientTo(700, 180));
  ASSERT_TRUE(app.WaitForFittedCaption(text));
  expectWholeLine("resized");
}

// Past one byte per pixel even the thinnest font cannot fit the line: its
// beginning stays in view at the left, one pixel a letter, not its end.
TEST_F(Fitting, ALinePastedLongerThanTheWindowIsWideShowsItsBeginning) {
  const std::wstring text = std::wstring(300, L'W') + std::wstring(1700, L' ');  // 2,000 characters
  SIZE client = app.ClientSize();
  ASSERT_LT(client.cx, 2000);
  app.Paste(text);
  ASSERT_TRUE(app.WaitForFittedCaption(text, 10s)) << "the paste arrived";
  Image shot = app.CaptureSettled();
  KeepShot(shot, "2000");
  // Letters one pixel wide are drawn in grey: anything not white is the line.
  Box drawn = BoxOf(shot, [](std::uint32_t p) { return p != 0xFFFFFF; });
  ASSERT_FALSE(drawn.Empty()) << "the letters are in view, not the blanks at the end";
  EXPECT_LE(drawn.left, kTolerance) << ToString(drawn) << ": the first letter at the left edge";
  EXPECT_GT(drawn.right, 200) << ToString(drawn) << ": the 300 letters side by side";
  EXPECT_LT(drawn.right, 400) << ToString(drawn) << ": then the blanks";
  EXPECT_GT(drawn.Height(), client.cy / 2) << ToString(drawn) << ": as high as ever";
}

class Resizing : public Fitting {};

TEST_F(Resizing, NewSizeRefitsTheLineAndRewritesTheCaption) {
  for (SIZE size : {SIZE{600, 300}, SIZE{900, 200}, SIZE{300, 400}}) {
    SCOPED_TRACE(std::to_string(size.cx) + " x " + std::to_string(size.cy));
    ASSERT_TRUE(app.ResizeClientTo(size.cx, size.cy));
    ASSERT_TRUE(app.WaitForCaption(L"Orvane " + std::to_wstring(size.cx) + L" x " +
                                   std::to_wstring(size.cy) + L" ＭＳ 明朝"))
        << testing::PrintToString(app.Caption());
    Image shot = app.CaptureSettled();
  Box lit = BoxOf(shot, [](std::uint32_t p) { return p != 0xFFFFFF; });
    ExpectBoxNear(lit, Expected(L"Orvane").line, kTolerance, "highlight");
  }
}

TEST_F(Resizing, AnEmptyTextKeepsTheOldSizeInTheCaption) {
  SIZE before = app.ClientSize();
  app.PressKey(VK_DELETE);  // the whole text is selected at start
  std::wstring empty = L" " + std::to_wstring(before.cx) + L" x " + std::to_wstring(before.cy) + L" ＭＳ 明朝";
  ASSERT_TRUE(app.WaitForCaption(empty)) << testing::PrintToString(app.Caption());
  EXPECT_EQ(app.Text(), L"");

  ASSERT_TRUE(app.ResizeClientTo(500, 250));
  app.Sync();
  EXPECT_EQ(app.Caption(), empty);
  EXPECT_TRUE(InkBox(app.CaptureSettled()).Empty());

  // Text again: the present size is taken up at once.
  app.Type(L"ab");
  EXPECT_TRUE(app.WaitForCaption(L"ab 500 x 250 ＭＳ 明朝")) << testing::PrintToString(app.Caption());
}

}  // namespace
}  // namespace e2e
