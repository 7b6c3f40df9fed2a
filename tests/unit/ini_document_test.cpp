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

TEST(SerializeIni, EveryByteOrderMarkIsReadAndWrittenBackAsUtf16Le) {
  const std::string utf16Le = "\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\x22\x6F\x3D\xD8\x00\xDE\r\0\n\0\r\0\n\0"s;
  struct Case {
    std::string bytes;
    TextEncoding encoding;
  };
  const Case cases[] = {
      {"\xEF\xBB\xBF[S]\r\nk=\xE6\xBC\xA2\xF0\x9F\x98\x80\r\n\r\n", TextEncoding::Utf8},
      {utf16Le, TextEncoding::Utf16Le},
      {"\xFE\xFF\0[\0S\0]\0\r\0\n\0k\0=\x6F\x22\xD8\x3D\xDE\x00\0\r\0\n\0\r\0\n"s,
       TextEncoding::Utf16Be},
  };
  for (const Case& c : cases) {
    const IniDocument document = ParseIni(c.bytes, kAnsi);
    EXPECT_EQ(document.encoding, c.encoding);
    ASSERT_FALSE(document.sections.empty());
    EXPECT_EQ(document.sections[0].lines, (std::vector<std::u16string>{u"k=漢😀"}));
    EXPECT_EQ(SerializeIni(document, kAnsi), utf16Le);
  }
  const std::string ansi = "[S]\r\nk=v\r\n\r\n[T]\r\n\r\n";
  EXPECT_EQ(SerializeIni(ParseIni(ansi, kAnsi), kAnsi), ansi);
}

TEST(ReadValue, FindsTheFirstSectionAndKeyAndStripsBlanksAndOnePairOfQuotes) {
  const IniDocument document = ParseIni(
      "[Option]\nText=  padded  \nempty=\nkeyless\nq1=\"a b\"\nq2='x'\nq3=\"\"in\"\"\n"
      "q4=\"open\nq5='mixed\"\nq6=\"\nq7=''\nText=second\n"
      "[OPTION]\nother=1\n",
      kAnsi);
  struct Case {
    std::u16string_view section, key;
    std::optional<std::u16string> value;
  };
  const Case cases[] = {
      {u"option", u"TEXT", u"padded"},   {u"Option", u"empty", u""},
      {u"Option", u"keyless", u""},      {u"Option", u"q1", u"a b"},
      {u"Option", u"q2", u"x"},          {u"Option", u"q3", u"\"in\""},
      {u"Option", u"q4", u"\"open"},     {u"Option", u"q5", u"'mixed\""},
      {u"Option", u"q6", u"\""},         {u"Option", u"q7", u""},
      {u"Option", u"other", std::nullopt},  // the second section of a name is not read
      {u"Option", u"missing", std::nullopt},
      {u"Missing", u"Text", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadValue(document, c.section, c.key), c.value) << "key of " << c.key.size() << " units";
  }
}

TEST(WriteValue, QuotesExactlyTheValuesThatWouldNotReadBackWhole) {
  struct Case {
    std::u16string value;
    std::u16string line;
  };
  const Case cases[] = {
      {u"plain", u"k=plain"},
      {u"in the middle", u"k=in the middle"},
      {u"  本日休業  ", u"k=\"  本日休業  \""},
      {u"\ttab", u"k=\"\ttab\""},
      {u"\"quoted\"", u"k=\"\"quoted\"\""},
      {u"'single'", u"k=\"'single'\""},
      {u"\"half", u"k=\"half"},
      {u"'mixed\"", u"k='mixed\""},
      {u"\"", u"k=\""},
      {u"", u"k="},
      {u" ", u"k=\" \""},
  };
  for (const Case& c : cases) {
    IniDocument document;
    WriteValue(document, u"S", u"k", c.value);
    EXPECT_EQ(document.sections.at(0).lines.at(0), c.line);
    EXPECT_EQ(ReadValue(document, u"S", u"k"), c.value);
    EXPECT_EQ(ReadValue(ParseIni(SerializeIni(document, kAnsi), kAnsi), u"S", u"k"), c.value);
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

// The value of "k" in a UTF-8 file that ends with it. The file is read from a
// larger buffer whose next byte would continue any sequence cut at its end.
std::u16string Utf8Value(std::string_view value) {
  const std::string buffer = "\xEF\xBB\xBF[S]\nk=" + std::string(value) + "\xBF";
  const IniDocument document = ParseIni(std::string_view(buffer).substr(0, buffer.size() - 1), kAnsi);
  const std::u16string& line = document.sections.at(0).lines.at(0);
  return line.substr(2);
}

TEST(ParseIni, Utf8AtTheEdgesOfEachSequenceLength) {
  struct Case {
    const char* what;
    std::string_view bytes;
    std::u16string value;
  };
  const Case cases[] = {
      {"the last single byte", "\x7F", u"\x7F"},
      {"the first two-byte character", "\xC2\x80x", u"\x80x"},
      {"the copyright sign", "\xC2\xA9", u"\u00A9"},
      {"an overlong two-byte form", "\xC1\xBF", u"\uFFFD\uFFFD"},
      {"the last two-byte character", "\xDF\xBF", u"\u07FF"},
      {"the first three-byte character", "\xE0\xA0\x80", u"\u0800"},
      {"an overlong three-byte form", "\xE0\x9F\xBF", u"\uFFFD\uFFFD\uFFFD"},
      {"hiragana", "\xE3\x81\x82", u"あ"},
      {"the ideographic space", "\xE3\x80\x80", u"\u3000"},
      {"the last character before the surrogates", "\xED\x9F\xBF", u"\uD7FF"},
      {"a full-width letter", "\xEF\xBC\xA1", u"Ａ"},
      {"the last three-byte character", "\xEF\xBF\xBF", u"\uFFFF"},
      {"the first four-byte character", "\xF0\x90\x80\x80", u"\U00010000"},
      {"an overlong four-byte form", "\xF0\x8F\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"a plane beyond the first", "\xF1\x80\x80\x80", u"\U00040000"},
      {"the last code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
      {"past the last code point", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"a lead byte no code point has", "\xF5\x80", u"\uFFFD\uFFFD"},
      {"a character cut by the end of the file", "\xE6\xBC", u"\uFFFD"},
      {"an emoji cut by the end of the file", "\xF0\x9F\x98", u"\uFFFD"},
      {"a lead byte at the end of the file", "a\xE6", u"a\uFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8Value(c.bytes), c.value) << c.what;
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
  EXPECT_EQ(SerializeIni({TextEncoding::Utf8, {}}, kAnsi), "\xFF\xFE");
  EXPECT_EQ(SerializeIni({TextEncoding::Utf16Be, {}}, kAnsi), "\xFF\xFE");
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
