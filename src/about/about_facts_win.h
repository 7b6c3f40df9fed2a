#pragma once
// What the about box reads from the system: the executable's file version,
// the UTC clock and the Ukrainian date names.

#include <string>

namespace orvane {

// "1.3.0.0" from the file's version resource; empty when it has none or it
// cannot be read.
[[nodiscard]] std::u16string FileVersionText(const std::u16string& path);

// The greeting and the present time in Ukraine (UkraineTimeLine).
[[nodiscard]] std::u16string UkraineTimeLine();

}  // namespace orvane
