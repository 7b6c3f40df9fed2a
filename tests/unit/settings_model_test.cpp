#include "settings/settings_model.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "display/font_fit.h"
#include "../support/fake_ansi_codec.h"

namespace orvane {
namespace {

const AnsiCodec& kAscii = testing_support::FakeAnsiCodec();

const ProgramSection kProgram{u"Orvane.exe", u"C:\\Tools\\", u"V1.3", u"2024/05/06 7:08:09"};

TEST(StoreSettings, WritesTheWholeFileAfterForeignSections) {
  IniDocument document = ParseIni(
      "; kept by nobody\r\n"
      "[Program]\nName=Old.exe\nStale=1\n"
      "[Foreign]\nx = 1\nno equals sign\n"
      "[option]\nText=old\nFontBold=1\n"
      "[PROGRAM]\nName=Shadow.exe\n"
      "[Second]\n",
      kAscii);
  PositionSection position;
  position.flags = 2;
  position.showCmd = 1;
  position.maxX = -1;
  position.maxY = -1;
  position.left = 100;
  position.top = -20;
  position.right = 740;
  position.bottom = 260;
  position.state = 2;
  OptionSection options;
  options.text = u"Hello, world";
  options.selectAll = true;
  options.fontName = u"Sans";
  options.fontSize = -24;
  options.fontColor = 0x000000FF;
  options.backColor = 0x00123456;
  options.style = kBold | kStrikeOut;

  StoreSettings(document, kProgram, position, options);

  EXPECT_EQ(SerializeIni(document, kAscii),
            "[Foreign]\r\nx=1\r\nno equals sign\r\n\r\n"
            "[Second]\r\n\r\n"
            "[PROGRAM]\r\nName=Orvane.exe\r\nPath=C:\\Tools\\\r\nVersion=V1.3\r\n"
            "LastClose=2024/05/06 7:08:09\r\n\r\n"
            "[POSITION]\r\nFlags=2\r\nShowCmd=1\r\nMaxX=-1\r\nMaxY=-1\r\nLeft=100\r\nTop=-20\r\n"
            "Right=740\r\nBottom=260\r\nState=2\r\n\r\n"
            "[OPTION]\r\nText=Hello, world\r\nSelectAll=1\r\nFontName=Sans\r\nFontSize=-24\r\n"
            "FontColor=clRed\r\nBackColor=$00123456\r\nFontBold=1\r\nFontStrikeOut=1\r\n\r\n");
}

TEST(StoreSettings, LeavesOutWhatIsNotGivenAndStylesNotSet) {
  IniDocument document =
      ParseIni("[POSITION]\nLeft=1\n[OPTION]\nText=x\n[Other]\n", kAscii);
  StoreSettings(document, kProgram, std::nullopt, std::nullopt);
  ASSERT_EQ(document.sections.size(), 2u);
  EXPECT_EQ(document.sections[0].name, u"Other");
  EXPECT_EQ(document.sections[1].name, u"PROGRAM");

  OptionSection plain;
  plain.style = kItalic | kUnderline;
  StoreSettings(document, kProgram, std::nullopt, plain);
  ASSERT_EQ(document.sections.size(), 3u);
  EXPECT_EQ(document.sections[2].lines,
            (std::vector<std::u16string>{u"Text=", u"SelectAll=0", u"FontName=", u"FontSize=0",
                                         u"FontColor=clBlack", u"BackColor=clBlack",
                                         u"FontItalic=1", u"FontUnderline=1"}));
}

TEST(ReadStoredSettings, GivesBackWhatStoreSettingsWroteAfterARestart) {
  const PositionSection position{2, 3, -1, -32000, INT32_MIN, -20, INT32_MAX, 260, 1};
  const std::u16string texts[] = {u"  centred  ", u"\"quoted\"", u"'single' and \"double\"",
                                  std::u16string(3000, u'x') + u"end", u"漢 = ; [no section]"};
  for (const std::u16string& text : texts) {
    const OptionSection options{text, false, u" Padded Face ", -1610612736, 0x1FFFFFFF, 0xFF000005,
                                kItalic | kStrikeOut};
    IniDocument document;
    StoreSettings(document, kProgram, position, options);
    const StoredSettings expected{2, 3, -1, -32000, INT32_MIN, -20, INT32_MAX, 260, 1, text, false,
                                  u" Padded Face ", -1610612736, u"clNone", u"clWindow",
                                  std::nullopt /* absent, not "0" */, true, std::nullopt, true};
    EXPECT_EQ(ReadStoredSettings(ParseIni(SerializeIni(document, kAscii), kAscii)), expected)
        << "text of " << text.size() << " units";
  }
}

}  // namespace
}  // namespace orvane
