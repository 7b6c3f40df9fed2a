#include "desktop/help_win.h"

#include <optional>
#include <string>

#include "desktop/help_search.h"
#include "platform/files_win.h"
#include "platform/message_boxes_win.h"
#include "platform/program_constants.h"
#include "platform/shell_win.h"
#include "platform/text_win.h"
#include "platform/wine_win.h"

namespace orvane {

void HelpCommands::ShowHelp() {
  std::u16string exe = ExecutablePath();
  // Wine's help viewer draws the compiled file's pages blank where Wine's HTML
  // engine is missing: the same pages as HTML go to the desktop's browser,
  // which the shell hands an .html file to. The compiled file, when only it
  // is there, still shows its contents.
  std::optional<std::u16string> help =
      RunningUnderWine() ? FindHelpPagesOrFile(exe, FileExists) : FindHelpFile(exe, FileExists);
  if (!help) {
    ShowPlainMessage(context_.window, MissingHelpMessage(exe));
    return;
  }
  // Quoted, so a path with spaces reaches the viewer whole.
  OpenWithShell(context_.window, u"\"" + *help + u"\"");
}

void HelpCommands::ShowProperties() {
  const std::u16string path = ExecutablePath();
  SHELLEXECUTEINFOW request{};
  request.cbSize = sizeof request;
  request.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  request.hwnd = context_.window;
  request.lpVerb = L"properties";
  request.lpFile = W(path);
  Shell().ShellExecuteExW(&request);
  // The sheet runs in this process; a handle the shell may still give back is ours to close.
  if (request.hProcess) ::CloseHandle(request.hProcess);
}

void HelpCommands::OpenDonationPage() { OpenWithShell(context_.window, DonationPageAddress); }

void HelpCommands::OpenHomePage() { OpenWithShell(context_.window, HomePageAddress); }

}  // namespace orvane
