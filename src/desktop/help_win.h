#pragma once
// The commands that hand work to the shell: the help file, the executable's
// properties sheet and the maker's two web pages.

#include <string>

#include "platform/sdk_win.h"

namespace orvane {

class TForm1;

void Help2Click(TForm1& form, bool checked);
void Properties1Click(TForm1& form, bool checked);
void Donation1Click(TForm1& form, bool checked);
void HomeSite1Click(TForm1& form, bool checked);

// Asks the shell for the file's properties sheet; true when it took the
// request. Refusals pass silently (no error dialog of the shell's own).
bool ShowFileProperties(HWND owner, const std::u16string& path);

}  // namespace orvane
