#pragma once
// The information report command: the state of the text, screen, window, font
// and current printer, shown in the plain message.

namespace orvane {

class TForm1;

void Information1Click(TForm1& form, bool checked);

}  // namespace orvane
