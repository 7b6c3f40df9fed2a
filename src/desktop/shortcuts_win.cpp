#include "desktop/shortcuts_win.h"

#include <string>

#include "desktop/shortcut_texts.h"
#include "platform/app_title.h"
#include "platform/com_win.h"
#include "platform/files_win.h"
#include "platform/message_boxes_win.h"
#include "platform/shell_win.h"
#include "platform/text_win.h"

namespace orvane {
namespace {

// A new shell link with the target path alone set, saved over whatever is at
// `link`. True when the save succeeded; false, and nothing saved, when the
// target could not be set (a path the shell refuses), which would otherwise
// save a link to nothing. A shell-link object that cannot be made raises the
// platform's error.
bool WriteLink(const std::u16string& exe, const std::u16string& link) {
  ComPtr<IUnknown> object;
  ThrowIfFailed(::CoCreateInstance(CLSID_ShellLink, nullptr,
                                   CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                   IID_PPV_ARGS(object.put())));
  ComPtr<IShellLinkW> shellLink;
  ThrowIfFailed(object->QueryInterface(IID_PPV_ARGS(shellLink.put())));
  ComPtr<IPersistFile> file;
  ThrowIfFailed(object->QueryInterface(IID_PPV_ARGS(file.put())));
  if (FAILED(shellLink->SetPath(W(exe)))) return false;
  return file->Save(W(link), FALSE) == S_OK;
}

// Creates the shortcut in the shell folder with this CSIDL, or asks whether to
// update or delete the one there; reports the outcome, then offers to open
// the folder. `word` names the folder in every message.
void RegisterShortcut(HWND owner, int folderId, std::u16string_view word) {
  const std::u16string link = ShortcutPath(SpecialFolderPath(owner, folderId));
  const std::u16string exe = ExecutablePath();
  ShortcutOutcome outcome;
  if (FileExists(link)) {
    switch (AskQuestion(owner, ExistenceQuestion(word, ApplicationTitle(exe)),
                        MB_YESNOCANCEL | MB_ICONQUESTION)) {
      case IDYES:
        outcome = WriteLink(exe, link) ? ShortcutOutcome::Updated : ShortcutOutcome::NotUpdated;
        break;
      case IDNO:
        outcome = ::DeleteFileW(W(link)) ? ShortcutOutcome::Deleted : ShortcutOutcome::NotDeleted;
        break;
      default:
        return;  // Cancel: nothing more is said
    }
  } else {
    outcome = WriteLink(exe, link) ? ShortcutOutcome::Created : ShortcutOutcome::NotCreated;
  }
  ShowPlainMessage(owner, OutcomeMessage(outcome, word, exe, link));

  if (AskQuestion(owner, FolderQuestion(word), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  // The file manager fails silently, as it would for any refused request.
  if (FileExists(link)) {
    const std::u16string parameters = SelectParameters(link);
    Shell().ShellExecuteW(owner, L"open", L"explorer.exe", W(parameters), nullptr, SW_SHOWNORMAL);
  } else {
    const std::optional<std::u16string> folder = LinkFolder(link);
    if (!folder) throw UserError(u"The path \"" + link + u"\" is too long");
    Shell().ShellExecuteW(owner, L"open", W(*folder), nullptr, nullptr, SW_SHOWNORMAL);
  }
}

}  // namespace

void Shortcuts::OnDesktop() { RegisterShortcut(context_.window, CSIDL_DESKTOP, u"DeskTop"); }
void Shortcuts::InStartMenu() {
  RegisterShortcut(context_.window, CSIDL_PROGRAMS, u"Program Menu");
}
void Shortcuts::InStartup() { RegisterShortcut(context_.window, CSIDL_STARTUP, u"StartUp"); }

}  // namespace orvane
