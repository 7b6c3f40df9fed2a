#pragma once
// The font and colour commands of the command menu.

namespace orvane {

class TForm1;

void SelectFont1Click(TForm1& form, bool checked);
void FontColor1Click(TForm1& form, bool checked);
void BackColor1Click(TForm1& form, bool checked);
void AlterNate1Click(TForm1& form, bool checked);

}  // namespace orvane
