#include "output/picture_win.h"

// After the window headers, which it needs.
#include <shobjidl.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "display/stretched_text_win.h"
#include "display/text_rules.h"
#include "output/bitmap_file.h"
#include "output/save_name.h"
#include "platform/clipboard_win.h"
#include "platform/com_win.h"
#include "platform/files_win.h"
#include "platform/handles_win.h"
#include "platform/message_boxes_win.h"
#include "platform/shell_win.h"
#include "platform/text_win.h"

namespace orvane {
namespace {

// The client area as the window shows it now, copied pixel for pixel into a
// 24-bit top-down DIB section.
class WindowPicture {
 public:
  explicit WindowPicture(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    // Paints still due are done first, so the picture is what the user sees.
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    WindowDC source(window);
    void* bits = nullptr;
    bitmap_ = TopDownDib(source.get(), width_, height_, 24, bits);
    UniqueDC target(::CreateCompatibleDC(source.get()));
    if (!source || !bitmap_ || !target) throw UserError(kPictureFailed);
    bits_ = static_cast<const std::uint8_t*>(bits);
    {
      SelectedObject selected(target.get(), bitmap_.get());
      Copy(target.get(), source.get());
    }
    ::GdiFlush();
    xPixelsPerInch_ = ::GetDeviceCaps(source.get(), LOGPIXELSX);
    yPixelsPerInch_ = ::GetDeviceCaps(source.get(), LOGPIXELSY);
  }

  [[nodiscard]] PixelRows Rows() const {
    // DIB rows are padded to whole 32-bit words.
    const std::size_t stride = (static_cast<std::size_t>(width_) * 3 + 3) / 4 * 4;
    return {width_, height_, stride, std::span(bits_, stride * static_cast<std::size_t>(height_))};
  }

  [[nodiscard]] std::string FileBytes() const {
    return BitmapFileBytes(Rows(), PixelsPerMetre(xPixelsPerInch_),
                           PixelsPerMetre(yPixelsPerInch_));
  }

  // A device-dependent copy: the form the clipboard takes a bitmap in. Wine
  // leaves the clipboard unreadable when given the DIB section itself.
  [[nodiscard]] UniqueBitmap DeviceDependentCopy() const {
    WindowDC screen(nullptr);
    UniqueBitmap copy(::CreateCompatibleBitmap(screen.get(), width_, height_));
    UniqueDC from(::CreateCompatibleDC(screen.get()));
    UniqueDC to(::CreateCompatibleDC(screen.get()));
    if (!copy || !from || !to) throw UserError(kPictureFailed);
    SelectedObject source(from.get(), bitmap_.get());
    SelectedObject target(to.get(), copy.get());
    Copy(to.get(), from.get());
    return copy;
  }

 private:
  static constexpr char16_t kPictureFailed[] = u"Cannot take the picture of the window";

  // A failed copy would leave a black picture, copied or saved unsaid.
  void Copy(HDC to, HDC from) const {
    if (!::BitBlt(to, 0, 0, width_, height_, from, 0, 0, SRCCOPY)) throw UserError(kPictureFailed);
  }

  int width_ = 0;
  int height_ = 0;
  UniqueBitmap bitmap_;
  const std::uint8_t* bits_ = nullptr;  // owned by bitmap_
  int xPixelsPerInch_ = 96;
  int yPixelsPerInch_ = 96;
};

std::u16string FileSystemPath(IShellItem& item) {
  PWSTR path = nullptr;
  ThrowIfFailed(item.GetDisplayName(SIGDN_FILESYSPATH, &path));
  UniqueTaskMemory<PWSTR> owned(path);
  return std::u16string(U16(path));
}

// Takes the file name as typed when the user presses Save: Wine's dialog adds
// the file type's extension to a name typed without one, asks about that
// name, and forgets the typed text once it has closed. A file of the typed
// name is then asked about here.
class SaveDialogEvents final : public IFileDialogEvents {
 public:
  std::optional<std::u16string> file;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IFileDialogEvents) return E_NOINTERFACE;
    *out = static_cast<IFileDialogEvents*>(this);
    return S_OK;
  }
  // Lives on the stack and is unadvised before it goes: no counting.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE OnFileOk(IFileDialog* dialog) override {
    try {
      PWSTR typed = nullptr;
      ComPtr<IShellItem> result;
      if (FAILED(dialog->GetFileName(&typed)) || FAILED(dialog->GetResult(result.put())))
        return S_OK;
      UniqueTaskMemory<PWSTR> ownedTyped(typed);
      const std::u16string chosen = FileSystemPath(*result.get());
      std::u16string target = NameAsTyped(chosen, U16(typed));
      if (target != chosen && FileExists(target) &&
          AskQuestion(::GetActiveWindow(), ReplaceQuestion(target), MB_YESNO | MB_ICONWARNING) !=
              IDYES) {
        return S_FALSE;  // back to the dialog
      }
      file = std::move(target);
    } catch (...) {
      // The dialog's own answer stands.
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnFolderChanging(IFileDialog*, IShellItem*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnFolderChange(IFileDialog*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnSelectionChange(IFileDialog*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShareViolation(IFileDialog*, IShellItem*,
                                             FDE_SHAREVIOLATION_RESPONSE*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE OnTypeChange(IFileDialog*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnOverwrite(IFileDialog*, IShellItem*,
                                        FDE_OVERWRITE_RESPONSE*) override {
    return E_NOTIMPL;
  }
};

// IFileDialog::Advise / Unadvise.
class AdvisedEvents {
 public:
  AdvisedEvents(IFileDialog& dialog, IFileDialogEvents& events) : dialog_(dialog) {
    ThrowIfFailed(dialog.Advise(&events, &cookie_));
  }
  AdvisedEvents(const AdvisedEvents&) = delete;
  AdvisedEvents& operator=(const AdvisedEvents&) = delete;
  ~AdvisedEvents() { dialog_.Unadvise(cookie_); }

 private:
  IFileDialog& dialog_;
  DWORD cookie_ = 0;
};

// The save dialog: one file type, the overwrite question, no default
// extension (a name typed without one is used as typed). Nothing on Cancel.
std::optional<std::u16string> AskBitmapFileName(HWND owner, const std::u16string& folder,
                                                const std::u16string& name) {
  ComPtr<IFileSaveDialog> dialog;
  ThrowIfFailed(::CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(dialog.put())));
  const COMDLG_FILTERSPEC types[] = {{L"Bitmap", L"*.bmp"}};
  ThrowIfFailed(dialog->SetFileTypes(1, types));
  FILEOPENDIALOGOPTIONS options = 0;
  ThrowIfFailed(dialog->GetOptions(&options));
  ThrowIfFailed(dialog->SetOptions(options | FOS_OVERWRITEPROMPT));
  // Only a default: a folder the dialog remembers from its last use wins.
  ComPtr<IShellItem> start;
  if (SUCCEEDED(
          Shell().SHCreateItemFromParsingName(W(folder), nullptr, IID_PPV_ARGS(start.put())))) {
    ThrowIfFailed(dialog->SetDefaultFolder(start.get()));
  }
  ThrowIfFailed(dialog->SetFileName(W(name)));
  SaveDialogEvents events;
  HRESULT shown;
  {
    AdvisedEvents advised(*dialog.get(), events);
    shown = dialog->Show(owner);
  }
  if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return std::nullopt;
  ThrowIfFailed(shown);
  if (events.file) return events.file;
  ComPtr<IShellItem> chosen;
  ThrowIfFailed(dialog->GetResult(chosen.put()));
  return FileSystemPath(*chosen.get());
}

}  // namespace

void Picture::CopyToClipboard() {
  WindowPicture picture(context_.window);
  UniqueBitmap copy = picture.DeviceDependentCopy();
  OpenedClipboard clipboard(context_.window);
  ::EmptyClipboard();
  if (!::SetClipboardData(CF_BITMAP, copy.get())) {
    // The platform may leave no error code: its text would then read as success.
    const DWORD code = ::GetLastError();
    std::u16string message = u"Cannot put the picture on the clipboard";
    if (code != ERROR_SUCCESS) message += u". " + SystemErrorText(code);
    throw UserError(message);
  }
  (void)copy.release();  // the clipboard owns it now
}

void Picture::SaveAsBitmap() {
  const std::u16string folder = SpecialFolderPath(context_.window, CSIDL_DESKTOP);
  const std::u16string name = std::u16string(TrimmedText(context_.text.Field().Text())) + u".bmp";
  const std::optional<std::u16string> path = AskBitmapFileName(context_.window, folder, name);
  if (!path) return;
  // Taken once the dialog has gone; written whole or not at all.
  const WindowPicture picture(context_.window);
  ReplaceWholeFile(*path, picture.FileBytes());
}

}  // namespace orvane
