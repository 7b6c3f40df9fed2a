#include "output/page_plan.h"

#include <algorithm>
#include <climits>

namespace orvane {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// value * percent / 100, truncating, in 64 bits so large sheets cannot overflow.
int Percent(int value, int percent) {
  return static_cast<int>(static_cast<std::int64_t>(value) * percent / 100);
}

}  // namespace

std::vector<std::u16string_view> SheetCharacters(std::u16string_view text) {
  std::vector<std::u16string_view> characters;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t units = IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
    characters.push_back(text.substr(i, units));
    i += units;
  }
  return characters;
}

int CharacterHeight(int pageWidth, int pageHeight, bool italic) {
  if (pageWidth >= pageHeight) return pageHeight;
  return italic ? Percent(pageWidth, 80) : pageWidth;
}

int CharacterLeft(int pageWidth, int characterWidth, bool italic) {
  int x = (pageWidth - characterWidth) / 2;
  return italic ? x / 4 : x;
}

int CellTop(int pageHeight, int fontHeight) { return (pageHeight - fontHeight) / 2; }

int CharacterOfPage(std::int64_t page, int characterCount, int copies, bool collate) {
  if (characterCount <= 0 || copies <= 0) return 0;
  return static_cast<int>(collate ? page % characterCount : page / copies);
}

std::u16string PrintedLine(std::u16string_view trimmed, bool italic) {
  std::u16string line(trimmed);
  if (italic && (line.empty() || line.back() != u' ')) line += u' ';
  return line;
}

int LineStartHeight(int pageWidth, int ansiLength) {
  if (ansiLength <= 0) return std::max(1, pageWidth);
  return std::max(1, pageWidth / ansiLength);
}

LineFit FitLine(int pageWidth, int startHeight, const MeasureLine& widthAt) {
  LineFit fit{std::max(1, startHeight), 0};
  auto measure = [&] { fit.width = widthAt(fit.height); };
  measure();
  if (pageWidth < fit.width) {
    // One percent always changes a height of 1 or more; only the floor stops it.
    while (fit.width > pageWidth && fit.height > 1) {
      fit.height = std::max(1, Percent(fit.height, 99));
      measure();
    }
  } else {
    const int cap = static_cast<int>(
        std::min<std::int64_t>(INT_MAX, static_cast<std::int64_t>(pageWidth) * kMaxLineHeightPerWidth));
    while (fit.width < pageWidth && fit.height < cap) {
      std::int64_t next = static_cast<std::int64_t>(fit.height) * 101 / 100;
      if (next == fit.height) ++next;  // below 100 one percent rounds away
      fit.height = static_cast<int>(std::min<std::int64_t>(next, cap));
      measure();
    }
  }
  return fit;
}

int LineLeft(int pageWidth, int textWidth) { return (pageWidth - textWidth) / 4; }

}  // namespace orvane
