#pragma once
// The command menu's preparation: from a snapshot of the window's state, the
// enabled states, check marks and live captions of every item.

#include <array>
#include <string>
#include <string_view>

#include "app/commands.h"

namespace orvane {

struct MenuSnapshot {
  std::u16string_view text;
  int selectionLength = 0;
  bool canUndo = false;
  bool clipboardHasText = false;
  bool colorKey = false;  // telop mode's transparency
  bool telop = false;
  bool maximized = false;
  bool topmost = false;
  // The window's outer bounds and the primary screen and work-area sizes.
  int left = 0, top = 0, right = 0, bottom = 0;
  int screenWidth = 0, screenHeight = 0;
  int workAreaWidth = 0, workAreaHeight = 0;
};

struct ItemState {
  bool enabled = true;
  bool checked = false;
};

struct MenuState {
  std::array<ItemState, kCommandCount> items{};
  std::u16string maximizeCaption;
  std::u16string exitCaption;
  bool selectAll = false;   // the flag as recomputed from the selection
  bool fullScreen = false;  // the flag as recomputed from the bounds

  [[nodiscard]] const ItemState& operator[](Cmd c) const { return items[IndexOf(c)]; }
  ItemState& operator[](Cmd c) { return items[IndexOf(c)]; }
};

// WorkWidth / WorkHeight: the screen in full screen, else the work area.
[[nodiscard]] int WorkWidth(const MenuSnapshot& s, bool fullScreen) noexcept;
[[nodiscard]] int WorkHeight(const MenuSnapshot& s, bool fullScreen) noexcept;

// Full screen is recognised by the bounds alone: exactly the primary screen.
[[nodiscard]] bool CoversScreen(const MenuSnapshot& s) noexcept;

[[nodiscard]] MenuState PrepareMenu(const MenuSnapshot& s);

// Whether the command can run now: the item and every submenu above it enabled.
[[nodiscard]] bool IsAvailable(const MenuState& state, Cmd c) noexcept;

}  // namespace orvane
