#include "desktop/help_win.h"

// After the window headers, which it needs.
#include <shellapi.h>

#include "app/main_window_win.h"
#include "app/program_constants.h"
#include "desktop/help_search.h"
#include "platform/message_boxes_win.h"
#include "platform/shell_win.h"
#include "platform/text_win.h"

namespace orvane {
namespace {

bool IsFile(const std::u16string& path) {
  DWORD attributes = ::GetFileAttributesW(W(path));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Hands a document or an address to the program the shell has for it; the
// outcome is the shell's to report.
void OpenWithShell(HWND owner, std::u16string_view target) {
  std::u16string file(target);
  Shell().ShellExecuteW(owner, L"open", W(file), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

void Help2Click(TForm1& form, bool) {
  std::u16string exe = ExecutablePath();
  std::optional<std::u16string> help = FindHelpFile(exe, IsFile);
  if (!help) {
    ShowPlainMessage(form.hwnd(), MissingHelpMessage(exe));
    return;
  }
  // Quoted, so a path with spaces reaches the viewer whole.
  OpenWithShell(form.hwnd(), u"\"" + *help + u"\"");
}

bool ShowFileProperties(HWND owner, const std::u16string& path) {
  SHELLEXECUTEINFOW request{};
  request.cbSize = sizeof request;
  request.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  request.hwnd = owner;
  request.lpVerb = L"properties";
  request.lpFile = W(path);
  bool accepted = Shell().ShellExecuteExW(&request) != FALSE;
  // The sheet runs in this process; a handle the shell may still give back is ours to close.
  if (request.hProcess) ::CloseHandle(request.hProcess);
  return accepted;
}

void Properties1Click(TForm1& form, bool) { ShowFileProperties(form.hwnd(), ExecutablePath()); }

void Donation1Click(TForm1& form, bool) { OpenWithShell(form.hwnd(), DonationPageAddress); }

void HomeSite1Click(TForm1& form, bool) { OpenWithShell(form.hwnd(), HomePageAddress); }

}  // namespace orvane
