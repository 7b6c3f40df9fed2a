#pragma once
// What the program writes into its settings file at each close.

#include <cstdint>
#include <optional>
#include <string>

#include "display/colors.h"
#include "settings/ini_document.h"

namespace orvane {

struct ProgramSection {
  std::u16string name;       // Orvane.exe
  std::u16string path;       // the folder, ending in "\"
  std::u16string version;    // V1.3
  std::u16string lastClose;  // local date and time, the user's formats
};

struct PositionSection {
  std::int32_t flags = 0;
  std::int32_t showCmd = 0;
  std::int32_t maxX = 0;
  std::int32_t maxY = 0;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  std::int32_t state = 0;  // 0 normal, 1 minimized, 2 maximized
};

struct OptionSection {
  std::u16string text;
  bool selectAll = false;
  std::u16string fontName;
  std::int32_t fontSize = 0;
  Color fontColor = 0;
  Color backColor = 0;
  unsigned style = 0;  // FontStyle bits
};

// What the file holds for the keys the program reads, read as profile readers
// read (names in any letter case, the first section and key of a name win).
// nullopt: the key is missing or, for a number or a flag, not an integer.
// Colours stay text: reading them can fail, and the failure stops the load at
// that key.
struct StoredSettings {
  std::optional<std::int32_t> flags, showCmd, maxX, maxY;
  std::optional<std::int32_t> left, top, right, bottom;
  std::optional<std::int32_t> state;
  std::optional<std::u16string> text;
  std::optional<bool> selectAll;
  std::optional<std::u16string> fontName;
  std::optional<std::int32_t> fontSize;
  std::optional<std::u16string> fontColor, backColor;
  std::optional<bool> bold, italic, underline, strikeOut;

  bool operator==(const StoredSettings&) const = default;
};

[[nodiscard]] StoredSettings ReadStoredSettings(const IniDocument& document);

// Replaces the program's three sections in the document: foreign sections keep
// their order, then PROGRAM, then POSITION and OPTION when given (they are
// left out for an empty text).
void StoreSettings(IniDocument& document, const ProgramSection& program,
                   const std::optional<PositionSection>& position,
                   const std::optional<OptionSection>& options);

}  // namespace orvane
