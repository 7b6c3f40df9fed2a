#pragma once
// The program's ways of talking to the user, all captioned with the
// application title.

#include <string_view>

#include "platform/sdk_win.h"

namespace orvane {

// The default error report: stop icon, one OK button, full-stop rule applied.
void ReportError(HWND owner, std::u16string_view message) noexcept;

// The default error report for the exception being handled (inside a catch).
void ReportCurrentException(HWND owner) noexcept;

// The default error report for the exception being handled (inside a catch),
// followed in the same box by a question with Yes and No, No the default.
// True when the user answers Yes.
[[nodiscard]] bool AskAfterCurrentException(HWND owner, std::u16string_view question) noexcept;

// The plain message: a task dialog (no icon, no main instruction, sized to its
// content, centred on the work area of the owner's monitor); a message box
// where the task dialog is unavailable.
void ShowPlainMessage(HWND owner, std::u16string_view text);

// A question in a modal message box with these MB_ flags; the button pressed
// (IDYES, IDNO, IDCANCEL; 0 when the box could not be shown).
[[nodiscard]] int AskQuestion(HWND owner, std::u16string_view text, UINT flags);

}  // namespace orvane
