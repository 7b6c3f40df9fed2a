// Program entry: COM on the GUI thread, the main window, the message loop.

#include "app/main_window_win.h"

#include <commctrl.h>
#include <objbase.h>

#include "app/user_error.h"
#include "platform/message_boxes_win.h"

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
  orvane::TForm1 form(instance);
  try {
    form.Create();
  } catch (const orvane::UserError& e) {
    orvane::ReportError(nullptr, e.message());
    return 1;
  }
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (form.PreTranslateMessage(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
