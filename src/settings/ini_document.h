#pragma once
// The settings file in memory: its encoding and its sections in order, each a
// list of lines. Read and written whole; the platform supplies the ANSI code page.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ansi_codec.h"

namespace orvane {

enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

struct IniSection {
  std::u16string name;
  // "key=value" (key and value trimmed), or a trimmed line without "=" as it came.
  std::vector<std::u16string> lines;
};

struct IniDocument {
  TextEncoding encoding = TextEncoding::Ansi;
  std::vector<IniSection> sections;
};

// Parses a whole file. The encoding comes from the byte-order mark (UTF-8,
// UTF-16 LE, UTF-16 BE), the ANSI code page without one. Empty lines, comments
// (";" first) and lines before the first section header are dropped; every
// kept line is trimmed of units up to 32 at both ends.
[[nodiscard]] IniDocument ParseIni(std::string_view bytes, const AnsiCodec& ansi);

// Removes every section of that name.
void EraseSection(IniDocument& document, std::u16string_view name);

// Sets key=value in the first section of that name, replacing the key's first
// line or appending one; a missing section is created at the end. A value that
// ReadValue would give back otherwise (blanks at an end, or enclosed in a pair
// of quotes itself) is written inside double quotes, so it comes back whole.
void WriteValue(IniDocument& document, std::u16string_view section, std::u16string_view key,
                std::u16string_view value);

// The value of the key's first line in the first section of that name, as
// profile readers give it: blanks at both ends and one pair of enclosing
// single or double quotes removed, of any length. A line without "=" is that
// key with an empty value. nullopt when the section or the key is missing.
[[nodiscard]] std::optional<std::u16string> ReadValue(const IniDocument& document,
                                                      std::u16string_view section,
                                                      std::u16string_view key);

// The file's bytes: the byte-order mark of its encoding, then "[name]", the
// section's lines and one empty line for each section, every line ending in
// CR LF. An ANSI document holding a character the code page cannot represent
// is written as UTF-16 LE with its mark instead, so nothing turns into "?".
// UTF-8 and UTF-16 BE documents are written as UTF-16 LE too: the platform's
// profile reader on Windows reads neither, and other programs may read the file
// with it.
[[nodiscard]] std::string SerializeIni(const IniDocument& document, const AnsiCodec& ansi);

}  // namespace orvane
