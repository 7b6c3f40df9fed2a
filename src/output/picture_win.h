#pragma once
// The window's picture: onto the clipboard, or into a bitmap file chosen in a
// save dialog.

namespace orvane {

class TForm1;

void CopyImage1Click(TForm1& form, bool checked);
void SaveAs1Click(TForm1& form, bool checked);

}  // namespace orvane
