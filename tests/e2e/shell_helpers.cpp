#include "shell_helpers.h"

#include <shlobj.h>
#include <winternl.h>

#include <cstdio>
#include <sstream>

namespace e2e {
namespace {

// Releases a COM interface at the end of a scope.
template <typename T>
struct Held {
  T* p = nullptr;
  ~Held() {
    if (p) p->Release();
  }
};

bool OpenClipboardSoon() {
  return WaitUntil([] { return ::OpenClipboard(nullptr) != FALSE; }, 2s);
}

}  // namespace

std::string UnixPath(const std::wstring& path) {
  using Fn = char*(CDECL*)(const wchar_t*);
  static auto unixName = reinterpret_cast<Fn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* name = unixName ? unixName(path.c_str()) : nullptr;
  if (!name) return {};
  std::string unix(name);
  ::HeapFree(::GetProcessHeap(), 0, name);
  return unix;
}

namespace {

std::optional<Image> ParsePpm(const std::string& bytes) {
  std::istringstream in(bytes);
  std::string magic;
  int width = 0, height = 0, maximum = 0;
  if (!(in >> magic >> width >> height >> maximum) || magic != "P6" || maximum != 255) return std::nullopt;
  auto start = static_cast<std::size_t>(in.tellg()) + 1;  // one blank after the header
  if (bytes.size() < start + static_cast<std::size_t>(width) * height * 3) return std::nullopt;
  Image image{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    auto byte = [&](int k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[start + 3 * i + k])); };
    image.pixels[i] = (byte(0) << 16) | (byte(1) << 8) | byte(2);
  }
  return image;
}

}  // namespace

std::wstring SpecialFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

std::optional<LinkFields> ReadLink(const std::wstring& link) {
  Held<IShellLinkW> shellLink;
  Held<IPersistFile> file;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&shellLink.p))) ||
      FAILED(shellLink.p->QueryInterface(IID_PPV_ARGS(&file.p))) || FAILED(file.p->Load(link.c_str(), STGM_READ))) {
    return std::nullopt;
  }
  wchar_t target[MAX_PATH] = {}, arguments[MAX_PATH] = {};
  shellLink.p->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
  shellLink.p->GetArguments(arguments, MAX_PATH);
  return LinkFields{target, arguments};
}

bool WriteLink(const std::wstring& link, const LinkFields& fields) {
  Held<IShellLinkW> shellLink;
  Held<IPersistFile> file;
  return SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&shellLink.p))) &&
         SUCCEEDED(shellLink.p->SetPath(fields.target.c_str())) &&
         SUCCEEDED(shellLink.p->SetArguments(fields.arguments.c_str())) &&
         SUCCEEDED(shellLink.p->QueryInterface(IID_PPV_ARGS(&file.p))) &&
         SUCCEEDED(file.p->Save(link.c_str(), TRUE));
}

std::optional<Image> ClipboardPicture() {
  if (!OpenClipboardSoon()) return std::nullopt;
  std::optional<Image> picture;
  if (auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP))) {
    BITMAP measures{};
    ::GetObjectW(bitmap, sizeof measures, &measures);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, measures.bmWidth, -measures.bmHeight, 1, 32, BI_RGB};
    Image image{measures.bmWidth, measures.bmHeight,
                std::vector<std::uint32_t>(static_cast<std::size_t>(measures.bmWidth) * measures.bmHeight)};
    HDC screen = ::GetDC(nullptr);
    if (::GetDIBits(screen, bitmap, 0, measures.bmHeight, image.pixels.data(), &info, DIB_RGB_COLORS) ==
        measures.bmHeight) {
      for (auto& p : image.pixels) p &= 0xFFFFFF;
      picture = std::move(image);
    }
    ::ReleaseDC(nullptr, screen);
  }
  ::CloseClipboard();
  return picture;
}

bool ClipboardHasText() { return ::IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; }

bool PutTextOnClipboard(const std::wstring& text) {
  if (!OpenClipboardSoon()) return false;
  ::EmptyClipboard();
  bool put = false;
  if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
    std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(::GlobalLock(memory)));
    ::GlobalUnlock(memory);
    put = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!put) ::GlobalFree(memory);
  }
  ::CloseClipboard();
  return put;
}

std::optional<Image> DecodeElsewhere(const std::wstring& path) {
  // ImageMagick as a Unix program, which Wine starts but cannot wait for:
  // the result appears whole, by a rename, once it is done.
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring result = std::wstring(temp) + L"orvane-e2e-decoded-" + std::to_wstring(::GetCurrentProcessId()) + L".ppm";
  ::DeleteFileW(result.c_str());
  std::string in = UnixPath(path), out = UnixPath(result);
  if (in.empty() || out.empty()) return std::nullopt;
  std::string command = "/bin/sh -c \"/usr/bin/convert \\\"$0\\\" ppm:\\\"$1.part\\\" && mv \\\"$1.part\\\" \\\"$1\\\"\" \"" +
                        in + "\" \"" + out + "\"";
  STARTUPINFOA startup{sizeof startup};
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA("Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
    return std::nullopt;
  }
  if (process.hProcess) ::CloseHandle(process.hProcess);
  if (process.hThread) ::CloseHandle(process.hThread);
  if (!WaitUntil([&] { return ::GetFileAttributesW(result.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30s)) {
    return std::nullopt;
  }
  std::optional<Image> image = ParsePpm(ReadFileBytes(result));
  ::DeleteFileW(result.c_str());
  return image;
}

std::vector<HWND> FileManagerWindows() {
  std::vector<HWND> found;
  ::EnumWindows(
      [](HWND window, LPARAM list) -> BOOL {
        wchar_t name[64] = {};
        ::GetClassNameW(window, name, 64);
        if (::IsWindowVisible(window) && (!wcscmp(name, L"ExplorerWClass") || !wcscmp(name, L"CabinetWClass"))) {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring CommandLineOf(HWND window) {
  // From the process's parameters block, which its PEB points to (x64 layout).
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return {};
  using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  static auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  std::wstring line;
  PROCESS_BASIC_INFORMATION basic{};
  std::uint64_t parameters = 0;
  struct {
    USHORT length, maximum;
    ULONG pad;
    std::uint64_t buffer;
  } text{};
  if (query && query(process, 0, &basic, sizeof basic, nullptr) == 0 &&
      ::ReadProcessMemory(process, reinterpret_cast<BYTE*>(basic.PebBaseAddress) + 0x20, &parameters,
                          sizeof parameters, nullptr) &&
      ::ReadProcessMemory(process, reinterpret_cast<void*>(parameters + 0x70), &text, sizeof text, nullptr)) {
    line.resize(text.length / sizeof(wchar_t));
    if (!::ReadProcessMemory(process, reinterpret_cast<void*>(text.buffer), line.data(), text.length, nullptr)) {
      line.clear();
    }
  }
  ::CloseHandle(process);
  return line;
}

}  // namespace e2e
