#pragma once
// Whole-file reading and writing for the settings file, and the ANSI code page.

#include <optional>
#include <string>
#include <string_view>

#include "settings/ini_document.h"

namespace orvane {

// The platform's text for an error code, without trailing blanks and full stops
// (the error report adds its own).
[[nodiscard]] std::u16string SystemErrorText(unsigned long code);

// The file's bytes; nullopt when it does not exist. Shares the file with
// readers only: one held open for writing elsewhere raises
// "Cannot open file "path". reason".
[[nodiscard]] std::optional<std::string> ReadWholeFile(const std::u16string& path);

// Writes a temporary file in the same folder and puts it in the place of the
// old one in one step, so the file on disk is always the old one or the new
// one, whole. Raises "Cannot create file "path". reason".
void ReplaceWholeFile(const std::u16string& path, std::string_view bytes);

// The active ANSI code page (932 on a Japanese system).
[[nodiscard]] const AnsiCodec& ActiveCodePage();

}  // namespace orvane
