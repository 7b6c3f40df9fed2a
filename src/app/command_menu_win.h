#pragma once
// The command menu: built from the list of commands, prepared from the
// window's state before it opens or a shortcut runs, and the dispatch of the
// commands chosen in it, one at a time.

#include <cstddef>
#include <deque>
#include <functional>

#include "app/commands.h"
#include "app/menu_state.h"
#include "display/window_context_win.h"
#include "platform/handles_win.h"

namespace orvane {

class CommandMenu {
 public:
  // The window's side of the menu.
  class Host {
   public:
    // Runs the handler of an item, never of a submenu.
    virtual void RunHandler(Cmd command) = 0;
    // Closes the window now: nothing is running any more.
    virtual void CloseNow() = 0;

   protected:
    ~Host() = default;
  };

  CommandMenu(WindowContext& context, Host& host) noexcept : context_(context), host_(host) {}

  void Create();

  // The message loop's look at a key before it is translated: a shortcut of
  // an enabled item is run and consumed here, so it types nothing.
  [[nodiscard]] bool PreTranslateMessage(const MSG& message);

  // WM_CONTEXTMENU: at the pointer, or over the middle of the text when the
  // keyboard asked (-1, -1).
  void OnContextMenu(LPARAM lParam);
  // WM_SYSCOMMAND: the program's item opens the menu at the pointer; every
  // other command is the system's.
  void OnSysCommand(WPARAM command, LPARAM lParam);
  void AddSystemMenuItem();

  // A close asked for while a command runs waits until it has returned.
  [[nodiscard]] bool Running() const noexcept { return running_ != Cmd::None; }
  void CloseWhenDone() noexcept { closePending_ = true; }

 private:
  void OpenAt(POINT screen);
  void Prepare();
  void Click(Cmd command);
  // Runs the action once the running command has returned.
  void Defer(std::function<void()> action);
  template <typename Action>
  void Dispatch(Action&& action) noexcept;

  WindowContext& context_;
  Host& host_;
  UniqueMenu menu_;
  MenuState state_;          // enabled states and marks of the last preparation
  Cmd running_ = Cmd::None;  // the command whose handler is on the stack
  bool closePending_ = false;
  // A shortcut with Alt ran, and Alt has not been released since.
  bool altShortcutHeld_ = false;
  std::deque<std::function<void()>> deferred_;  // commands and menus asked for meanwhile
  static constexpr std::size_t kMaxDeferred = 16;
};

}  // namespace orvane
