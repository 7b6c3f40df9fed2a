// Program entry: COM on the GUI thread, the main window, the message loop.

#include "app/program_win.h"

#include <commctrl.h>
#include <objbase.h>

#include "platform/message_boxes_win.h"
#include "platform/user_error.h"

namespace {

class ComApartment {
 public:
  ComApartment() noexcept : ok_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (ok_) ::CoUninitialize();
  }

 private:
  bool ok_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  ComApartment com;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  // The window is unowned, so its taskbar button is its own, with its caption and icon.
  orvane::Program program(instance);
  try {
    program.Start();
  } catch (const orvane::UserError& e) {
    // No window to run: the class or the window itself could not be made.
    orvane::ReportError(nullptr, e.message());
    return 1;
  }
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (program.PreTranslateMessage(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
