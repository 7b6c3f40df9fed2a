#include "settings/ini_document.h"
#include "../support/fake_ansi_codec.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace std::string_literals;

const AnsiCodec& kAnsi = testing_support::FakeAnsiCodec();

std::vector<std::u16string> Names(const IniDocument& document) {
  std::vector<std::u16string> names;
  for (const IniSection& section : document.sections) names.push_back(section.name);
  return names;
}

TEST(ParseIni, KeepsSectionsInOrderAndDropsWhatTheReaderIgnores) {
  const IniDocument document = ParseIni(
      "orphan=1\r\n; lead comment\r\n"
      "[Other]\r\n  a = 1 \t\r\n\r\n;a=2\n   ; indented comment\r\n"
      "[ Spaced ]\rloose line  \rk=\r=v\r"
      "[option]\nText= x = y \n"
      "[Last]",
      kAnsi);
  EXPECT_EQ(document.encoding, TextEncoding::Ansi);
  ASSERT_EQ(Names(document), (std::vector<std::u16string>{u"Other", u" Spaced ", u"option", u"Last"}));
  EXPECT_EQ(document.sections[0].lines, (std::vector<std::u16string>{u"a=1"}));
  EXPECT_EQ(document.sections[1].lines,
            (std::vector<std::u16string>{u"loose line", u"k=", u"=v"}));
  EXPECT_EQ(document.sections[2].lines, (std::vector<std::u16string>{u"Text=x = y"}));
  EXPECT_TRUE(document.sections[3].lines.empty());
}

TEST(SameName, FoldsAsciiAndFullWidthLettersOnly) {
  struct Case {
    std::u16string_view a, b;
    bool same;
  };
  const Case cases[] = {
      {u"option", u"OPTION", true},
      {u"Ｏｐｔｉｏｎ", u"ＯＰＴＩＯＮ", true},
      {u"ｚ", u"Ｚ", true},
      {u"Option", u"Ｏｐｔｉｏｎ", false},  // half- and full-width differ
      {u"é", u"É", false},
      {u"[", u"{", false},  // 0x20 apart, like a letter pair, but not letters
      {u"opt", u"option", false},
      {u"", u"", true},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(SameName(cases[i].a, cases[i].b), cases[i].same) << "case " << i;
  }
}

TEST(SerializeIni, EveryByteOrderMarkRoundTripsExactly) {
  const std::string bodyAscii = "[S]\r\nk=v\r\n\r\n[T]\r\n\r\n";
  struct Case {
    std::string bytes;
    TextEncoding encoding;
  };
  const Case cases[] = {
      {"\xEF\xBB\xBF[S]\r\nk=\xE6\xBC\xA2\xF0\x9F\x98\x80\r\n\r\n", TextEncoding::Utf8},
      {"\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\x22\x6F\x3D\xD8\x00\xDE\r\0\n\0\r\0\n\0"s,
       TextEncoding::Utf16Le},
      {"\xFE\xFF\0[\0S\0]\0\r\0\n\0k\0=\x6F\x22\xD8\x3D\xDE\x00\0\r\0\n\0\r\0\n"s,
       TextEncoding::Utf16Be},
      {bodyAscii, TextEncoding::Ansi},
  };
  for (const Case& c : cases) {
    const IniDocument document = ParseIni(c.bytes, kAnsi);
    EXPECT_EQ(document.encoding, c.encoding);
    ASSERT_FALSE(document.sections.empty());
    if (c.encoding != TextEncoding::Ansi) {
      EXPECT_EQ(document.sections[0].lines, (std::vector<std::u16string>{u"k=漢😀"}));
    }
    EXPECT_EQ(SerializeIni(document, kAnsi), c.bytes);
  }
}

TEST(ParseIni, RepairsBrokenUnicode) {
  // A stray continuation byte, a truncated sequence, an overlong "/" and a
  // surrogate coded in UTF-8 each become one replacement character.
  const IniDocument utf8 =
      ParseIni("\xEF\xBB\xBF[S]\nk=\x80|\xE6\xBC|\xC0\xAF|\xED\xA0\x80", kAnsi);
  EXPECT_EQ(utf8.sections.at(0).lines,
            (std::vector<std::u16string>{u"k=\uFFFD|\uFFFD|\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD"}));

  const IniDocument odd = ParseIni("\xFF\xFE[\0S\0]\0\n\0k\0=\0v\0\x41"s, kAnsi);
  EXPECT_EQ(odd.sections.at(0).lines, (std::vector<std::u16string>{u"k=v"}))
      << "the odd trailing byte is dropped";
}

TEST(SerializeIni, AnsiSwitchesToUtf16OnlyForCharactersTheCodePageLacks) {
  IniDocument document = ParseIni("[S]\r\nk=\x8A\xBF\r\n", kAnsi);
  EXPECT_EQ(document.sections.at(0).lines, (std::vector<std::u16string>{u"k=漢"}));
  EXPECT_EQ(SerializeIni(document, kAnsi), "[S]\r\nk=\x8A\xBF\r\n\r\n");

  WriteValue(document, u"S", u"k", u"😀");
  EXPECT_EQ(SerializeIni(document, kAnsi),
            "\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\x3D\xD8\x00\xDE\r\0\n\0\r\0\n\0"s);
}

TEST(SerializeIni, EmptyDocumentIsJustTheMark) {
  EXPECT_EQ(SerializeIni({TextEncoding::Ansi, {}}, kAnsi), "");
  EXPECT_EQ(SerializeIni({TextEncoding::Utf8, {}}, kAnsi), "\xEF\xBB\xBF");
  EXPECT_EQ(SerializeIni({TextEncoding::Utf16Be, {}}, kAnsi), "\xFE\xFF");
}

TEST(EraseSection, RemovesEveryDuplicate) {
  IniDocument document =
      ParseIni("\xEF\xBB\xBF[PROGRAM]\na=1\n[Keep]\n[program]\nb=2\n[Ｐｒｏｇｒａｍ]\n", kAnsi);
  EraseSection(document, u"Program");
  EXPECT_EQ(Names(document), (std::vector<std::u16string>{u"Keep", u"Ｐｒｏｇｒａｍ"}))
      << "a full-width name is another section";
  EraseSection(document, u"ＰＲＯＧＲＡＭ");
  EXPECT_EQ(Names(document), (std::vector<std::u16string>{u"Keep"}));
}

TEST(WriteValue, ReplacesTheFirstMatchInTheFirstSectionOrAppends) {
  IniDocument document = ParseIni("[S]\nA=1\nkeyless\nx=2\na=3\n[s]\nb=4\n", kAnsi);
  WriteValue(document, u"s", u"a", u"9");
  WriteValue(document, u"S", u"KEYLESS", u"5");
  WriteValue(document, u"S", u"b", u"6");
  WriteValue(document, u"New", u"c", u"7");
  EXPECT_EQ(document.sections[0].lines,
            (std::vector<std::u16string>{u"a=9", u"KEYLESS=5", u"x=2", u"a=3", u"b=6"}));
  EXPECT_EQ(document.sections[1].lines, (std::vector<std::u16string>{u"b=4"}));
  ASSERT_EQ(document.sections.size(), 3u);
  EXPECT_EQ(document.sections[2].name, u"New");
  EXPECT_EQ(document.sections[2].lines, (std::vector<std::u16string>{u"c=7"}));
}

}  // namespace
}  // namespace orvane
