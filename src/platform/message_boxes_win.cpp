#include "platform/message_boxes_win.h"

// After the window headers, which it needs.
#include <commctrl.h>

#include <string>

#include "platform/app_title.h"
#include "platform/user_error.h"
#include "platform/text_win.h"

namespace orvane {
namespace {

const std::u16string& Title() {
  static const std::u16string title = ApplicationTitle(ExecutablePath());
  return title;
}

HRESULT CALLBACK CentreOnWorkArea(HWND dialog, UINT notification, WPARAM, LPARAM,
                                  LONG_PTR ownerData) {
  if (notification != TDN_CREATED) return S_OK;
  HWND owner = reinterpret_cast<HWND>(ownerData);
  HMONITOR monitor = ::MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{sizeof info};
  RECT box{};
  if (::GetMonitorInfoW(monitor, &info) && ::GetWindowRect(dialog, &box)) {
    const RECT& work = info.rcWork;
    int width = box.right - box.left;
    int height = box.bottom - box.top;
    ::SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - width) / 2,
                   work.top + (work.bottom - work.top - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return S_OK;
}

using TaskDialogIndirectFn = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

// Looked up at run time: only version 6 of the common controls has it.
TaskDialogIndirectFn FindTaskDialog() {
  HMODULE comctl = ::GetModuleHandleW(L"comctl32.dll");
  if (!comctl) comctl = ::LoadLibraryW(L"comctl32.dll");
  if (!comctl) return nullptr;
  return reinterpret_cast<TaskDialogIndirectFn>(
      reinterpret_cast<void*>(::GetProcAddress(comctl, "TaskDialogIndirect")));
}

// The message of the exception being handled.
std::u16string CurrentExceptionMessage() {
  try {
    throw;
  } catch (const UserError& e) {
    return e.message();
  } catch (const std::bad_alloc&) {
    return u"Out of memory";
  } catch (const std::exception& e) {
    std::string what = e.what();
    return std::u16string(what.begin(), what.end());
  } catch (...) {
    return u"Unexpected error";
  }
}

}  // namespace

void ReportError(HWND owner, std::u16string_view message) noexcept {
  try {
    std::u16string text = WithFullStop(message);
    ::MessageBoxW(owner, W(text), W(Title()), MB_OK | MB_ICONSTOP);
  } catch (...) {
    // Out of memory while reporting: nothing sensible is left to show.
  }
}

void ReportCurrentException(HWND owner) noexcept {
  try {
    ReportError(owner, CurrentExceptionMessage());
  } catch (...) {
    ReportError(owner, u"Out of memory");
  }
}

bool AskAfterCurrentException(HWND owner, std::u16string_view question) noexcept {
  try {
    std::u16string text = WithFullStop(CurrentExceptionMessage());
    text += u"\r\n\r\n";
    text += question;
    return ::MessageBoxW(owner, W(text), W(Title()), MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2) == IDYES;
  } catch (...) {
    // Out of memory while asking: nothing can be shown, and staying loses nothing.
    return false;
  }
}

void ShowPlainMessage(HWND owner, std::u16string_view text) {
  std::u16string content(text);
  static const TaskDialogIndirectFn taskDialog = FindTaskDialog();
  if (taskDialog) {
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = owner;
    config.dwFlags = TDF_SIZE_TO_CONTENT;
    config.dwCommonButtons = TDCBF_OK_BUTTON;
    config.pszWindowTitle = W(Title());
    config.pszContent = W(content);
    config.pfCallback = CentreOnWorkArea;
    config.lpCallbackData = reinterpret_cast<LONG_PTR>(owner);
    if (SUCCEEDED(taskDialog(&config, nullptr, nullptr, nullptr))) return;
  }
  ::MessageBoxW(owner, W(content), W(Title()), MB_OK);
}

int AskQuestion(HWND owner, std::u16string_view text, UINT flags) {
  std::u16string content(text);
  return ::MessageBoxW(owner, W(content), W(Title()), flags);
}

}  // namespace orvane
