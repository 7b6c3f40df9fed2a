#pragma once
// The bitmap file's name as the user typed it in the save dialog.

#include <string>
#include <string_view>

namespace orvane {

// The dialog's chosen path with the ".bmp" taken off again when the dialog
// added it to a name typed without it (Wine's does, for the file type's
// sake); otherwise the chosen path. `typed` is the file-name box's text.
[[nodiscard]] std::u16string NameAsTyped(std::u16string_view chosen, std::u16string_view typed);

// Asked before replacing a file the dialog's own question did not name.
[[nodiscard]] std::u16string ReplaceQuestion(std::u16string_view path);

}  // namespace orvane
