#include "settings/ini_document.h"

#include <algorithm>
#include <cstdint>

#include "display/text_rules.h"
#include "platform/file_names.h"

namespace orvane {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char16_t kReplacement = 0xFFFD;

std::uint8_t ByteAt(std::string_view bytes, std::size_t i) {
  return static_cast<std::uint8_t>(bytes[i]);
}

void AppendCodePoint(std::u16string& text, std::uint32_t cp) {
  if (cp < 0x10000) {
    text += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (cp >> 10));
    text += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

// Each maximal ill-formed subsequence becomes one U+FFFD, as most decoders do.
std::u16string DecodeUtf8(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const std::uint8_t lead = ByteAt(bytes, i);
    if (lead < 0x80) {
      text += static_cast<char16_t>(lead);
      ++i;
      continue;
    }
    int trailing = 0;
    std::uint32_t cp = 0;
    // The bounds of the second byte rule out overlong forms, surrogates and
    // code points past U+10FFFF.
    std::uint8_t low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      trailing = 1;
      cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      trailing = 2;
      cp = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      trailing = 3;
      cp = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      text += kReplacement;
      ++i;
      continue;
    }
    ++i;
    bool complete = true;
    for (int n = 0; n < trailing; ++n, ++i) {
      if (i >= bytes.size() || ByteAt(bytes, i) < low || ByteAt(bytes, i) > high) {
        complete = false;
        break;
      }
      cp = (cp << 6) | (ByteAt(bytes, i) & 0x3F);
      low = 0x80;
      high = 0xBF;
    }
    if (complete) {
      AppendCodePoint(text, cp);
    } else {
      text += kReplacement;
    }
  }
  return text;
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const unsigned first = ByteAt(bytes, i);
    const unsigned second = ByteAt(bytes, i + 1);
    text += static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
  }
  return text;
}

// Little-endian: the one Unicode form every profile reader takes.
std::string EncodeUtf16(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

// The key of a kept line: before the first "=", or the whole line without one,
// which the reader takes for a key with an empty value.
std::u16string_view KeyOf(std::u16string_view line) {
  return line.substr(0, line.find(u'='));
}

std::u16string KeyLine(std::u16string_view line) {
  const std::size_t equals = line.find(u'=');
  if (equals == std::u16string_view::npos) return std::u16string(line);
  std::u16string kept(TrimmedText(line.substr(0, equals)));
  kept += u'=';
  kept += TrimmedText(line.substr(equals + 1));
  return kept;
}

// One pair of enclosing quotes removed, as profile readers do.
std::u16string_view Unquoted(std::u16string_view value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

const IniSection* FindSection(const IniDocument& document, std::u16string_view name) {
  for (const IniSection& section : document.sections) {
    if (SameName(section.name, name)) return &section;
  }
  return nullptr;
}

}  // namespace

IniDocument ParseIni(std::string_view bytes, const AnsiCodec& ansi) {
  IniDocument document;
  std::u16string text;
  if (bytes.starts_with(kUtf8Mark)) {
    document.encoding = TextEncoding::Utf8;
    text = DecodeUtf8(bytes.substr(kUtf8Mark.size()));
  } else if (bytes.starts_with(kUtf16LeMark)) {
    document.encoding = TextEncoding::Utf16Le;
    text = DecodeUtf16(bytes.substr(kUtf16LeMark.size()), false);
  } else if (bytes.starts_with(kUtf16BeMark)) {
    document.encoding = TextEncoding::Utf16Be;
    text = DecodeUtf16(bytes.substr(kUtf16BeMark.size()), true);
  } else {
    document.encoding = TextEncoding::Ansi;
    text = ansi.decode(bytes);
  }

  const std::u16string_view all(text);
  std::size_t start = 0;
  while (start < all.size()) {
    std::size_t end = all.find_first_of(u"\r\n", start);
    if (end == std::u16string_view::npos) end = all.size();
    const std::u16string_view line = TrimmedText(all.substr(start, end - start));
    // CR LF needs no pairing: the empty line between them is dropped below.
    start = end + 1;

    if (line.empty() || line.front() == u';') continue;
    if (line.front() == u'[' && line.back() == u']') {
      document.sections.push_back({std::u16string(line.substr(1, line.size() - 2)), {}});
    } else if (!document.sections.empty()) {
      document.sections.back().lines.push_back(KeyLine(line));
    }
  }
  return document;
}

void EraseSection(IniDocument& document, std::u16string_view name) {
  std::erase_if(document.sections,
                [name](const IniSection& section) { return SameName(section.name, name); });
}

void WriteValue(IniDocument& document, std::u16string_view section, std::u16string_view key,
                std::u16string_view value) {
  std::u16string line(key);
  line += u'=';
  if (Unquoted(TrimmedText(value)) == value) {
    line += value;
  } else {
    line += u'"';
    line += value;
    line += u'"';
  }

  const auto found = std::find_if(
      document.sections.begin(), document.sections.end(),
      [section](const IniSection& candidate) { return SameName(candidate.name, section); });
  if (found == document.sections.end()) {
    document.sections.push_back({std::u16string(section), {std::move(line)}});
    return;
  }
  for (std::u16string& existing : found->lines) {
    if (SameName(KeyOf(existing), key)) {
      existing = std::move(line);
      return;
    }
  }
  found->lines.push_back(std::move(line));
}

std::optional<std::u16string> ReadValue(const IniDocument& document, std::u16string_view section,
                                       std::u16string_view key) {
  const IniSection* found = FindSection(document, section);
  if (!found) return std::nullopt;
  for (const std::u16string& line : found->lines) {
    const std::u16string_view view(line);
    if (!SameName(TrimmedText(KeyOf(view)), key)) continue;
    const std::size_t equals = view.find(u'=');
    if (equals == std::u16string_view::npos) return std::u16string();
    return std::u16string(Unquoted(TrimmedText(view.substr(equals + 1))));
  }
  return std::nullopt;
}

std::string SerializeIni(const IniDocument& document, const AnsiCodec& ansi) {
  std::u16string text;
  for (const IniSection& section : document.sections) {
    text += u'[';
    text += section.name;
    text += u"]\r\n";
    for (const std::u16string& line : section.lines) {
      text += line;
      text += u"\r\n";
    }
    text += u"\r\n";
  }

  if (document.encoding == TextEncoding::Ansi) {
    if (std::optional<std::string> bytes = ansi.encode(text)) return std::move(*bytes);
  }
  return std::string(kUtf16LeMark) + EncodeUtf16(text);
}

}  // namespace orvane
