#pragma once
// Files: whole-file reading and writing, the existence check, the platform's
// error texts and the ANSI code page.

#include <optional>
#include <string>
#include <string_view>

#include "platform/ansi_codec.h"

namespace orvane {

// The platform's text for an error code, without trailing blanks and full stops
// (the error report adds its own).
[[nodiscard]] std::u16string SystemErrorText(unsigned long code);

// True when a file (not a folder) is at the path.
[[nodiscard]] bool FileExists(const std::u16string& path);

// Whom a read lets at the file meanwhile: readers only, when what is read is
// about to be written back whole (one held open for writing elsewhere then
// fails the read); or anyone, when it is only read, as profile readers do.
enum class ReadSharing { ReadersOnly, Anyone };

// The file's bytes; nullopt when it does not exist. A failure raises
// "Cannot open file "path". reason".
[[nodiscard]] std::optional<std::string> ReadWholeFile(const std::u16string& path,
                                                       ReadSharing sharing);

// Writes a temporary file in the same folder and puts it in the place of the
// old one in one step, so the file on disk is always the old one or the new
// one, whole. Temporary files of this kind that an ended run left behind (a
// kill during a save) are removed first. Raises "Cannot create file "path". reason".
void ReplaceWholeFile(const std::u16string& path, std::string_view bytes);

// The active ANSI code page (932 on a Japanese system).
[[nodiscard]] const AnsiCodec& ActiveCodePage();

}  // namespace orvane
