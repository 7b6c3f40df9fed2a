#pragma once
// Reads the program's menus as they really are, from inside its process (and
// sets the work area it sees, and makes platform calls fail in it).

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct MenuLine {
  int depth = 0;  // 0 for the menu's own items, 1 for a submenu's
  UINT id = 0;
  UINT state = 0;  // MFS_CHECKED, MFS_DISABLED (MFS_GRAYED)
  UINT type = 0;   // MFT_SEPARATOR
  std::wstring text;

  [[nodiscard]] bool Separator() const { return (type & MFT_SEPARATOR) != 0; }
  [[nodiscard]] bool Checked() const { return (state & MFS_CHECKED) != 0; }
  [[nodiscard]] bool Grey() const { return (state & MFS_DISABLED) != 0; }
  [[nodiscard]] std::wstring Caption() const { return text.substr(0, text.find(L'\t')); }
  [[nodiscard]] std::wstring Shortcut() const {
    auto tab = text.find(L'\t');
    return tab == std::wstring::npos ? L"" : text.substr(tab + 1);
  }
};

// The popup menu that is open now (nothing when none is).
std::vector<MenuLine> ReadOpenMenu();
// The window's system menu.
std::vector<MenuLine> ReadSystemMenu(HWND window);
// How often the program's item "Orvaneメニュー" (id 100) is in the window's system menu.
int SystemMenuItems(HWND window);
// Sets the work area that the program's process sees to the screen below
// top (a taskbar at the top) and returns it as the program now reads it.
// Under Wine this reaches only that process; on Windows it is the system's.
RECT SetProgramWorkArea(HWND window, int top);
// Windows and menus the window's process holds, counted inside it: the USER
// objects that Wine's GetGuiResources does not count.
std::optional<int> ProbeUserObjects(HWND window);
// The open popup menu's window, if any.
HWND OpenMenuWindow();

// Platform calls whose failure nothing outside the program can bring about:
// made to fail in the window's process for the rest of its run. False when
// the program makes no such call to replace.
enum class InjectedFailure {
  BitBlt = 1,            // FALSE
  SetClipboardData = 2,  // null, with no error code left
  ShellLinkSetPath = 3,  // IShellLinkW::SetPath: E_INVALIDARG
};
bool InjectFailure(HWND window, InjectedFailure call);

}  // namespace e2e

namespace e2e {

class Orvane;

// Chooses an item of the command menu as a user would with the keyboard:
// opens the menu over the text, walks to the item (through its submenu) with
// the arrow keys and presses Enter. The path names captions, e.g.
// {L"ウィンドウ設定", L"センタリング"}; a live caption matches by its start.
bool ChooseFromMenu(Orvane& app, const std::vector<std::wstring>& path);

}  // namespace e2e
