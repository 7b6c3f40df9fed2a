#pragma once
// What the shell holds, read as another program would: special folders,
// shortcut files, the clipboard's picture, file-manager windows, and a
// picture file decoded by a decoder that is not the program's.

#include <windows.h>
#include <objbase.h>

#include <optional>
#include <string>
#include <vector>

#include "driver.h"

namespace e2e {

// COM on the test's thread for as long as the object lives.
class ComScope {
 public:
  ComScope() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComScope() { ::CoUninitialize(); }
};

// The Unix path Wine maps a Windows path to; empty on Windows.
std::string UnixPath(const std::wstring& path);

// The shell folder's path (CSIDL_DESKTOP...), without a trailing backslash.
std::wstring SpecialFolder(int csidl);

// A shortcut file: its target and arguments, read through the shell, and
// one written as a user's own (target and arguments).
struct LinkFields {
  std::wstring target;
  std::wstring arguments;
};
std::optional<LinkFields> ReadLink(const std::wstring& link);
bool WriteLink(const std::wstring& link, const LinkFields& fields);

// The clipboard's bitmap, if it holds one; and whether it holds text.
std::optional<Image> ClipboardPicture();
bool ClipboardHasText();
bool PutTextOnClipboard(const std::wstring& text);

// The picture in a file as ImageMagick reads it, whatever the file's name.
std::optional<Image> DecodeElsewhere(const std::wstring& path);

// File-manager windows open now, and the command line each was started with.
std::vector<HWND> FileManagerWindows();
std::wstring CommandLineOf(HWND window);

}  // namespace e2e
