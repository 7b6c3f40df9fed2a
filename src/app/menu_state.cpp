#include "app/menu_state.h"

#include <string>

#include "display/text_rules.h"

namespace orvane {

int WorkWidth(const MenuSnapshot& s, bool fullScreen) noexcept {
  return fullScreen ? s.screenWidth : s.workAreaWidth;
}

int WorkHeight(const MenuSnapshot& s, bool fullScreen) noexcept {
  return fullScreen ? s.screenHeight : s.workAreaHeight;
}

bool CoversScreen(const MenuSnapshot& s) noexcept {
  return s.left == 0 && s.top == 0 && s.right == s.screenWidth && s.bottom == s.screenHeight;
}

MenuState PrepareMenu(const MenuSnapshot& s) {
  MenuState m;
  const bool blank = TrimmedText(s.text).empty();
  const int length = static_cast<int>(s.text.size());

  for (const MenuRow& row : MenuRows()) {
    if (row.kind != RowKind::Item) continue;
    bool enabled = true;
    switch (row.enable) {
      case Enable::Always: break;
      case Enable::NotBlank: enabled = !blank; break;
      case Enable::NotBlankNoKey: enabled = !blank && !s.colorKey; break;
      case Enable::NoKey: enabled = !s.colorKey; break;
      case Enable::Selection: enabled = s.selectionLength > 0; break;
      case Enable::Clipboard: enabled = s.clipboardHasText; break;
      case Enable::NotEmpty: enabled = length > 0; break;
      case Enable::CanUndo: enabled = s.canUndo; break;
    }
    m[row.id].enabled = enabled;
  }

  m.selectAll = length > 0 && s.selectionLength == length;
  m[Cmd::SelectAll].checked = m.selectAll;
  m.fullScreen = CoversScreen(s);
  m[Cmd::FullScreen].checked = m.fullScreen;
  m[Cmd::Telop].checked = s.telop;
  m[Cmd::Maximize].checked = s.maximized;
  m[Cmd::StayOnTop].checked = s.topmost;

  m.maximizeCaption = u"最大化 (" + DecimalText(WorkWidth(s, m.fullScreen)) + u"x" +
                      DecimalText(WorkHeight(s, m.fullScreen)) + u")";
  m.exitCaption = (s.telop || m.fullScreen) ? u"復帰" : u"終了";
  return m;
}

bool IsAvailable(const MenuState& state, Cmd c) noexcept {
  for (Cmd at = c; at != Cmd::None; at = RowOf(at).parent) {
    if (!state[at].enabled) return false;
  }
  return true;
}

}  // namespace orvane
