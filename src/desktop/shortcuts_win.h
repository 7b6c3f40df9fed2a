#pragma once
// Shortcuts to the program in the desktop, start-menu and startup folders:
// created, refreshed or removed in one conversation with the user.

#include <string_view>

#include "platform/sdk_win.h"

namespace orvane {

class TForm1;

// Creates the shortcut in the shell folder with this CSIDL, or asks whether to
// update or delete the one there; reports the outcome, then offers to open
// the folder. `word` names the folder in every message.
void RegisterShortcut(HWND owner, int folderId, std::u16string_view word);

void ScDeskTop1Click(TForm1& form, bool checked);
void ScStartMenu1Click(TForm1& form, bool checked);
void ScStartUp1Click(TForm1& form, bool checked);

}  // namespace orvane
