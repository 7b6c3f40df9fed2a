#include "driver.h"

#include <winspool.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <utility>

#include "menu_reader.h"

namespace e2e {
namespace {

constexpr wchar_t kFace[] = L"ＭＳ 明朝";
constexpr int kEditSlack = 16;  // the text field reaches this far beyond each side

// All monitors together, in screen coordinates.
RECT VirtualScreen() {
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN), top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  return name;
}

std::wstring TextOf(HWND hwnd) {
  // WM_GETTEXT is marshalled across processes, unlike most messages with pointers.
  auto length = ::SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  auto got = ::SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(got));
  return text;
}

std::wstring FreshFolder() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  for (;;) {
    std::wstring folder = std::wstring(temp) + L"orvane-e2e-" +
                          std::to_wstring(::GetCurrentProcessId()) + L"-" +
                          std::to_wstring(++counter);
    if (::CreateDirectoryW(folder.c_str(), nullptr)) return folder;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
}

void RemoveFolder(const std::wstring& folder) {
  if (folder.empty()) return;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveFolder(path);
      } else {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
      }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryW(folder.c_str());
}

// The parent's environment with extra entries, sorted as Windows wants it.
std::wstring EnvironmentWith(const std::vector<std::wstring>& extra) {
  std::vector<std::wstring> entries;
  if (wchar_t* block = ::GetEnvironmentStringsW()) {
    for (const wchar_t* p = block; *p; p += wcslen(p) + 1) entries.emplace_back(p);
    ::FreeEnvironmentStringsW(block);
  }
  for (const auto& entry : extra) {
    auto name = entry.substr(0, entry.find(L'=') + 1);
    std::erase_if(entries, [&](const std::wstring& e) {
      return _wcsnicmp(e.c_str(), name.c_str(), name.size()) == 0;
    });
    entries.push_back(entry);
  }
  std::sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
    return _wcsicmp(a.c_str(), b.c_str()) < 0;
  });
  std::wstring block;
  for (const auto& entry : entries) block += entry + L'\0';
  block += L'\0';
  return block;
}

void Send(std::vector<INPUT> inputs) {
  if (!inputs.empty()) ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT Mouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

// GDI objects of another process, read from the handle table the system maps
// into every process (its address is in the process's PEB). Only used where
// GetGuiResources gives no answer, as under Wine.
struct GdiTableEntry {  // the 64-bit layout, the same on Windows and Wine
  std::uint64_t object;
  std::uint16_t processId;
  std::uint16_t count;
  std::uint16_t upper;
  std::uint8_t type;
  std::uint8_t flags;
  std::uint64_t user;
};
static_assert(sizeof(GdiTableEntry) == 24);
constexpr std::size_t kGdiTableEntries = 0x10000;
constexpr std::size_t kPebGdiTableOffset = 0xF8;  // x64

std::optional<DWORD> GdiObjectsFromTable(HANDLE process, DWORD processId) {
  using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  static auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  if (!query) return std::nullopt;
  PROCESS_BASIC_INFORMATION info{};
  if (query(process, 0, &info, sizeof info, nullptr) != 0 || !info.PebBaseAddress) return std::nullopt;
  std::uint64_t table = 0;
  SIZE_T got = 0;
  if (!::ReadProcessMemory(process, reinterpret_cast<BYTE*>(info.PebBaseAddress) + kPebGdiTableOffset,
                           &table, sizeof table, &got) || table == 0) {
    return std::nullopt;
  }
  std::vector<GdiTableEntry> entries(kGdiTableEntries);
  if (!::ReadProcessMemory(process, reinterpret_cast<void*>(table), entries.data(),
                           entries.size() * sizeof(GdiTableEntry), &got)) {
    return std::nullopt;
  }
  DWORD count = 0;
  const auto owner = static_cast<std::uint16_t>(processId);
  for (const auto& e : entries) {
    constexpr std::uint8_t kStock = 0x80;  // in the handle's upper word
    if (e.type == 0 || e.object == 0 || (e.upper & kStock)) continue;
    if (e.processId != 0 && e.processId != owner) continue;
    ++count;
  }
  return count;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  auto deadline = Clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (Clock::now() >= deadline) return condition();
    std::this_thread::sleep_for(10ms);
  }
}

std::wstring ProductPath() {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Orvane.exe";
}

std::optional<std::wstring> DefaultPrinter() {
  wchar_t name[512] = {};
  DWORD size = 512;
  if (!::GetDefaultPrinterW(name, &size)) return std::nullopt;
  return name;
}

bool UnderWine() {
  // ntdll exports wine_get_version under Wine and not on Windows.
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

UserSetting::UserSetting(std::wstring key, std::wstring name, const std::wstring& text)
    : key_(std::move(key)), name_(std::move(name)) {
  Change(REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

UserSetting::UserSetting(std::wstring key, std::wstring name, DWORD number)
    : key_(std::move(key)), name_(std::move(name)) {
  Change(REG_DWORD, &number, sizeof number);
}

void UserSetting::Change(DWORD type, const void* data, DWORD size) {
  DWORD oldType = 0, oldSize = 0;
  if (::RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_ANY, &oldType,
                     nullptr, &oldSize) == ERROR_SUCCESS) {
    before_.resize(oldSize);
    if (::RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_ANY, &oldType,
                       before_.data(), &oldSize) == ERROR_SUCCESS) {
      type_ = oldType;
    }
  }
  changed_ = ::RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), type, data, size) ==
             ERROR_SUCCESS;
}

void UserSetting::Restore() {
  if (!changed_) return;
  changed_ = false;
  if (type_) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), *type_, before_.data(),
                      static_cast<DWORD>(before_.size()));
  } else {
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str());
  }
}

// ---- Pixels ---------------------------------------------------------------

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string ToString(const RECT& r) {
  char text[96];
  std::snprintf(text, sizeof text, "(%ld, %ld)-(%ld, %ld)", r.left, r.top, r.right, r.bottom);
  return text;
}

RECT WorkArea() {
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

std::string ToString(const Box& box) {
  char text[96];
  std::snprintf(text, sizeof text, "[x %d..%d, y %d..%d]", box.left, box.right, box.top,
                box.bottom);
  return text;
}

std::uint32_t ToPixel(COLORREF colour) {
  return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

bool IsInk(std::uint32_t pixel) {
  int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  return r + g + b < 3 * 128;
}

Box BoxOf(const Image& image, const std::function<bool(std::uint32_t)>& pick) {
  Box box{image.width, image.height, 0, 0};
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (!pick(image.At(x, y))) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  if (box.Empty()) box = {};
  return box;
}

int CountPixels(const Image& image, std::uint32_t colour) {
  return static_cast<int>(std::count(image.pixels.begin(), image.pixels.end(), colour));
}

bool SaveBitmap(const Image& image, const std::wstring& path) {
  BITMAPINFOHEADER info{sizeof info};
  info.biWidth = image.width;
  info.biHeight = -image.height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  DWORD bytes = static_cast<DWORD>(image.pixels.size() * 4);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + bytes;
  HANDLE out = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  bool ok = ::WriteFile(out, &file, sizeof file, &done, nullptr) &&
            ::WriteFile(out, &info, sizeof info, &done, nullptr) &&
            ::WriteFile(out, image.pixels.data(), bytes, &done, nullptr);
  ::CloseHandle(out);
  return ok;
}

void KeepShot(const Image& image, const std::string& what) {
  wchar_t folder[MAX_PATH] = {};
  if (!::GetEnvironmentVariableW(L"ORVANE_E2E_SHOTS", folder, MAX_PATH)) return;
  std::string name;
  if (auto* test = testing::UnitTest::GetInstance()->current_test_info()) {
    name = std::string(test->test_suite_name()) + "." + test->name() + "-";
  }
  name += what;
  SaveBitmap(image, std::wstring(folder) + L"\\" + std::wstring(name.begin(), name.end()) + L".bmp");
}

namespace {

// A 32-bit top-down DIB section selected into a memory DC.
struct Canvas {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  std::uint32_t* bits = nullptr;
  int width, height;

  Canvas(int w, int h) : width(w), height(h) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    dc = ::CreateCompatibleDC(nullptr);
    bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<std::uint32_t*>(p);
    old = ::SelectObject(dc, bitmap);
  }
  ~Canvas() {
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
  }
  Image Take() const {
    ::GdiFlush();
    Image image{width, height, std::vector<std::uint32_t>(bits, bits + width * height)};
    for (auto& p : image.pixels) p &= 0xFFFFFF;
    return image;
  }
};

}  // namespace

LOGFONTW DisplayFont(int height, int width) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWidth = width;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  wcscpy_s(font.lfFaceName, kFace);
  return font;
}

Image SettledCapture(const std::function<Image()>& capture) {
  Image last = capture();
  Image now;
  WaitUntil([&] {
    now = capture();
    bool same = now == last;
    last = now;
    return same;
  }, 3s);
  return now;
}

Image CaptureScreen(const RECT& area) {
  int width = area.right - area.left, height = area.bottom - area.top;
  Canvas canvas(std::max(width, 0), std::max(height, 0));
  // The screen itself: what the user sees, after the program's own buffering.
  // Only the part on the screen: Wine copies nothing at all when the area
  // reaches past it, and a window half off the screen would come out black.
  const RECT screenArea = VirtualScreen();
  RECT seen{};
  if (::IntersectRect(&seen, &area, &screenArea)) {
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(canvas.dc, seen.left - area.left, seen.top - area.top, seen.right - seen.left, seen.bottom - seen.top,
             screen, seen.left, seen.top, SRCCOPY | CAPTUREBLT);
    ::ReleaseDC(nullptr, screen);
  }
  return canvas.Take();
}

Rendering RenderLine(std::wstring_view text, const LOGFONTW& logFont, int width, int height) {
  Canvas canvas(width, height);
  RECT all{0, 0, width, height};
  ::FillRect(canvas.dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  HFONT font = ::CreateFontIndirectW(&logFont);
  HGDIOBJ old = ::SelectObject(canvas.dc, font);
  ::SetTextColor(canvas.dc, RGB(0, 0, 0));
  ::SetBkColor(canvas.dc, RGB(255, 255, 255));
  SIZE extent{};
  ::GetTextExtentPoint32W(canvas.dc, text.data(), static_cast<int>(text.size()), &extent);
  // The edit control centres the line in its own width, which reaches beyond
  // the client area on both sides by the same amount.
  int fieldWidth = width + 2 * kEditSlack;
  int x = (fieldWidth - extent.cx) / 2 - kEditSlack;
  ::TextOutW(canvas.dc, x, 0, text.data(), static_cast<int>(text.size()));
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(canvas.dc, &metrics);
  ::SelectObject(canvas.dc, old);
  ::DeleteObject(font);
  Box line{std::max(0, x), 0, std::min<int>(width, x + extent.cx), std::min<int>(height, metrics.tmHeight)};
  return {canvas.Take(), line};
}

// ---- The program ----------------------------------------------------------

Orvane::Orvane(StartOptions options) {
  ownsFolder_ = options.folder.empty();
  folder_ = ownsFolder_ ? FreshFolder() : options.folder;
  if (folder_.empty()) return;
  exe_ = folder_ + L"\\" + options.exeName;
  const std::wstring& exe = exe_;
  if (!::CopyFileW(ProductPath().c_str(), exe.c_str(), TRUE) && ownsFolder_) return;
  std::wstring commandLine = L"\"" + exe + L"\"";
  std::wstring environment;
  if (!options.environment.empty()) environment = EnvironmentWith(options.environment);
  STARTUPINFOW startup{sizeof startup};
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT,
                        environment.empty() ? nullptr : environment.data(), folder_.c_str(),
                        &startup, &process_)) {
    process_ = {};
    return;
  }
  ::WaitForInputIdle(process_.hProcess, static_cast<DWORD>(options.startTimeout.count()));
  // The window is listed while still being created: wait for its text field too.
  WaitUntil([&] {
    window_ = FindMainWindow();
    edit_ = window_ ? ::FindWindowExW(window_, nullptr, L"EDIT", nullptr) : nullptr;
    return edit_ != nullptr || !Running();
  }, options.startTimeout);
  if (!edit_) window_ = nullptr;
  if (options.waitUntilVisible) WaitUntilVisible();
}

Orvane::Orvane(Running_, HWND window) : ownsFolder_(false), attached_(true) {
  process_.dwThreadId = ::GetWindowThreadProcessId(window, &process_.dwProcessId);
  process_.hProcess = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_.dwProcessId);
  WaitUntil([&] {
    edit_ = ::FindWindowExW(window, nullptr, L"EDIT", nullptr);
    return edit_ != nullptr || !Running();
  }, 10s);
  if (edit_) window_ = window;
  WaitUntilVisible();
}

Orvane::~Orvane() {
  if (process_.hProcess) {
    if (Running() && !attached_) {
      // A test that failed may have left a dialog up; closing then would wait on it.
      bool closed = Dialogs().empty() && Close(5s);
      if (!closed) {
        ::TerminateProcess(process_.hProcess, 1);
        ::WaitForSingleObject(process_.hProcess, 5000);
      }
    }
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
  }
  if (ownsFolder_) RemoveFolder(folder_);
}

HWND Orvane::FindMainWindow() const {
  struct Search {
    DWORD pid;
    HWND found;
  } search{process_.dwProcessId, nullptr};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lParam);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hwnd, &pid);
        if (pid == s->pid && ClassOf(hwnd) == L"TForm1") {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Orvane::WaitUntilVisible(std::chrono::milliseconds timeout) {
  return WaitUntil([&] { return window_ && ::IsWindowVisible(window_); }, timeout);
}

bool Orvane::StartUpDone() const { return window_ && SystemMenuItems(window_) == 1; }

bool Orvane::WaitForStartUp(std::chrono::milliseconds timeout) const {
  return WaitUntil([&] { return StartUpDone(); }, timeout);
}

bool Orvane::Running() const {
  return process_.hProcess && ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

TestFolder::TestFolder() : path_(FreshFolder()) {}

TestFolder::~TestFolder() { RemoveFolder(path_); }

std::string ReadFileBytes(const std::wstring& path) {
  std::string bytes;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  ::CloseHandle(file);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) &&
            wrote == bytes.size();
  ::CloseHandle(file);
  return ok;
}

std::wstring SettingsPath(const std::wstring& folder) { return folder + L"\\Orvane.ini"; }

std::vector<std::wstring> SettingsFile::Names() const {
  std::vector<std::wstring> names;
  for (const auto& section : sections) names.push_back(section.first);
  return names;
}

const std::vector<std::wstring>* SettingsFile::Lines(std::wstring_view name) const {
  for (const auto& section : sections) {
    if (section.first == name) return &section.second;
  }
  return nullptr;
}

std::optional<std::wstring> SettingsFile::Value(std::wstring_view section, std::wstring_view key) const {
  const auto* lines = Lines(section);
  if (!lines) return std::nullopt;
  for (const std::wstring& line : *lines) {
    if (line.size() > key.size() && line.compare(0, key.size(), key) == 0 && line[key.size()] == L'=') {
      return line.substr(key.size() + 1);
    }
  }
  return std::nullopt;
}

int SettingsFile::Integer(std::wstring_view section, std::wstring_view key) const {
  auto value = Value(section, key);
  return value ? std::stoi(*value) : -99999;
}

RECT SettingsFile::Bounds() const {
  return {Integer(L"POSITION", L"Left"), Integer(L"POSITION", L"Top"), Integer(L"POSITION", L"Right"),
          Integer(L"POSITION", L"Bottom")};
}

namespace {

SettingsFile ParseSettings(const std::string& bytes) {
  SettingsFile file;
  std::wstring text;
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    file.unicode = true;
    text.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
  } else if (!bytes.empty()) {
    // The program writes in the system's ANSI code page.
    int units = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    text.resize(static_cast<std::size_t>(units));
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), units);
  }
  file.wellFormed = !text.empty() && text.ends_with(L"\r\n\r\n");
  bool closed = true;  // the last section ended with its empty line
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) {
      file.wellFormed = false;
      end = text.size();
    }
    std::wstring line = text.substr(start, end - start);
    start = end + 2;
    if (line.find(L'\n') != std::wstring::npos || line.find(L'\r') != std::wstring::npos) file.wellFormed = false;
    if (line.empty()) {
      if (closed) file.wellFormed = false;  // an empty line where none belongs
      closed = true;
    } else if (line.front() == L'[' && line.back() == L']') {
      if (!closed) file.wellFormed = false;
      closed = false;
      file.sections.push_back({line.substr(1, line.size() - 2), {}});
    } else if (!file.sections.empty() && !closed) {
      file.sections.back().second.push_back(line);
    } else {
      file.wellFormed = false;
    }
  }
  return file;
}

}  // namespace

SettingsFile ReadSettings(const std::wstring& folder) { return ParseSettings(ReadFileBytes(SettingsPath(folder))); }

bool WriteSetting(const std::wstring& folder, const wchar_t* section, const wchar_t* key, const wchar_t* value) {
  return ::WritePrivateProfileStringW(section, key, value, SettingsPath(folder).c_str()) != FALSE;
}

bool Orvane::Close(std::chrono::milliseconds timeout) {
  if (!Running()) return true;
  if (window_) ::PostMessageW(window_, WM_CLOSE, 0, 0);
  return ::WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) ==
         WAIT_OBJECT_0;
}

std::wstring Orvane::Caption() const { return TextOf(window_); }
std::wstring Orvane::Text() const { return TextOf(edit_); }

std::pair<int, int> Orvane::Selection() const {
  // The pointer form of EM_GETSEL is not marshalled across processes; the
  // return value carries both ends.
  auto both = static_cast<DWORD>(::SendMessageW(edit_, EM_GETSEL, 0, 0));
  return {LOWORD(both), HIWORD(both)};
}

SIZE Orvane::ClientSize() const {
  RECT rc{};
  ::GetClientRect(window_, &rc);
  return {rc.right, rc.bottom};
}

RECT Orvane::WindowRect() const {
  RECT rc{};
  ::GetWindowRect(window_, &rc);
  return rc;
}

RECT Orvane::ClientOnScreen() const {
  RECT rc{};
  ::GetClientRect(window_, &rc);
  ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

bool Orvane::WaitForCaption(const std::wstring& caption, std::chrono::milliseconds timeout) const {
  return WaitUntil([&] { return Caption() == caption; }, timeout);
}

bool Orvane::WaitForFittedCaption(std::wstring_view text, std::chrono::milliseconds timeout) const {
  return WaitUntil([&] { return Caption() == ExpectedCaption(text); }, timeout);
}

std::wstring Orvane::ExpectedCaption(std::wstring_view text) const {
  SIZE size = ClientSize();
  return std::wstring(text) + L" " + std::to_wstring(size.cx) + L" x " + std::to_wstring(size.cy) +
         L" " + kFace;
}

bool Orvane::Activate() {
  // Focused on the text field, and not in menu mode, where typed keys would go
  // to a menu instead.
  auto ready = [&] {
    GUITHREADINFO info{sizeof info};
    constexpr DWORD kMenuModes = GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE;
    return ::GetForegroundWindow() == window_ && ::GetGUIThreadInfo(process_.dwThreadId, &info) &&
           info.hwndFocus == edit_ && (info.flags & kMenuModes) == 0;
  };
  bool nudged = false;
  bool ok = WaitUntil([&] {
    if (ready()) return true;
    ::SetForegroundWindow(window_);
    if (::GetForegroundWindow() != window_ && !nudged) {
      // Windows lets a process take the foreground right after an input event
      // of its own. A pointer movement of nothing, not an Alt tap, which would
      // open the window's menu mode.
      Send({Mouse(MOUSEEVENTF_MOVE)});
      nudged = true;
    }
    return false;
  }, 5s);
  Sync();
  if (!ok) {
    GUITHREADINFO info{sizeof info};
    ::GetGUIThreadInfo(process_.dwThreadId, &info);
    std::fprintf(stderr, "not focused: foreground %p (window %p), focus %p (edit %p)\n",
                 static_cast<void*>(::GetForegroundWindow()), static_cast<void*>(window_),
                 static_cast<void*>(info.hwndFocus), static_cast<void*>(edit_));
  }
  return ok;
}

void Orvane::Type(std::wstring_view text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    for (bool up : {false, true}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = c;
      input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(input);
    }
  }
  Send(inputs);
}

void Orvane::PressKey(WORD key, unsigned modifiers) { PressKeys({{key, modifiers}}); }

void Orvane::PressKeys(const std::vector<std::pair<WORD, unsigned>>& keys) {
  std::vector<INPUT> inputs;
  for (auto [key, modifiers] : keys) {
    if (modifiers & kCtrl) inputs.push_back(Key(VK_CONTROL, false));
    if (modifiers & kShift) inputs.push_back(Key(VK_SHIFT, false));
    if (modifiers & kAlt) inputs.push_back(Key(VK_MENU, false));
    inputs.push_back(Key(key, false));
    inputs.push_back(Key(key, true));
    if (modifiers & kAlt) inputs.push_back(Key(VK_MENU, true));
    if (modifiers & kShift) inputs.push_back(Key(VK_SHIFT, true));
    if (modifiers & kCtrl) inputs.push_back(Key(VK_CONTROL, true));
  }
  Send(inputs);
}

void Orvane::Paste(std::wstring_view text) {
  if (WaitUntil([] { return ::OpenClipboard(nullptr) != FALSE; }, 2s)) {
    ::EmptyClipboard();
    std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
      auto* p = static_cast<wchar_t*>(::GlobalLock(memory));
      std::copy(text.begin(), text.end(), p);
      p[text.size()] = L'\0';
      ::GlobalUnlock(memory);
      if (!::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);
    }
    ::CloseClipboard();
  }
  PressKey('V', kCtrl);
}

void Orvane::SelectAll() {
  // The field has no select-all shortcut of its own: Home, then Shift+End.
  PressKey(VK_HOME);
  PressKey(VK_END, kShift);
  WaitUntil([&] { return Selection() == std::pair{0, static_cast<int>(Text().size())}; });
}

void PointerTo(POINT to) {
  // Both the pointer and the event carry the position: Wine takes the X
  // pointer's place when the last move is older than a moment.
  ::SetCursorPos(to.x, to.y);
  INPUT move = Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK);
  const RECT screen = VirtualScreen();
  const LONG width = screen.right - screen.left, height = screen.bottom - screen.top;
  move.mi.dx = static_cast<LONG>(((to.x - screen.left) * 65536LL + width - 1) / width);
  move.mi.dy = static_cast<LONG>(((to.y - screen.top) * 65536LL + height - 1) / height);
  Send({move});
  // Wine answers a position older than 100 ms from the X pointer, and refuses
  // to warp that while another client holds a pointer grab (a menu closing):
  // the pointer counts as placed once it has stayed there past that horizon,
  // and is placed again whenever it is read elsewhere.
  constexpr auto kHorizon = 150ms;
  Clock::time_point placed = Clock::now();
  WaitUntil([&] {
    POINT at{};
    ::GetCursorPos(&at);
    if (at.x != to.x || at.y != to.y) {
      ::SetCursorPos(to.x, to.y);
      placed = Clock::now();
      return false;
    }
    return Clock::now() - placed > kHorizon;
  }, 2s);
}

void Orvane::RightClickClient(POINT at) {
  ::ClientToScreen(window_, &at);
  PointerTo(at);
  Send({Mouse(MOUSEEVENTF_RIGHTDOWN), Mouse(MOUSEEVENTF_RIGHTUP)});
}

void Orvane::Wheel(int delta, std::optional<POINT> at) {
  SIZE client = ClientSize();
  POINT point = at.value_or(POINT{client.cx / 2, client.cy / 2});
  ::ClientToScreen(window_, &point);
  PointerTo(point);
  INPUT wheel = Mouse(MOUSEEVENTF_WHEEL);
  wheel.mi.mouseData = static_cast<DWORD>(delta);
  Send({wheel});
}

void Orvane::DragClientPoint(POINT from, POINT delta, int steps) {
  POINT start = from;
  ::ClientToScreen(window_, &start);
  RECT origin = WindowRect();
  auto thread = [&] {
    GUITHREADINFO info{sizeof info};
    ::GetGUIThreadInfo(process_.dwThreadId, &info);
    return info;
  };
  auto moving = [&] { return (thread().flags & GUI_INMOVESIZE) != 0; };
  auto moveTo = [&](POINT offset) { PointerTo({start.x + offset.x, start.y + offset.y}); };
  moveTo({0, 0});
  Send({Mouse(MOUSEEVENTF_LEFTDOWN)});
  // Input is queued: the press has arrived once the text field holds the mouse.
  WaitUntil([&] { return thread().hwndCapture != nullptr || moving(); }, 2s);
  // A hand's first movement is a pixel: the window starts following from there.
  POINT nudge{delta.x < 0 ? -1 : 1, delta.y < 0 ? -1 : 1};
  moveTo(nudge);
  WaitUntil(moving, 2s);
  for (int i = 1; i <= steps; ++i) {
    POINT step{delta.x * i / steps, delta.y * i / steps};
    moveTo(step);
    // Each step is followed by the window before the next one is made.
    WaitUntil([&] {
      RECT now = WindowRect();
      return std::abs(now.left - origin.left - step.x) <= 2 &&
             std::abs(now.top - origin.top - step.y) <= 2;
    }, 1s);
  }
  Send({Mouse(MOUSEEVENTF_LEFTUP)});
  WaitUntil([&] { return !moving(); }, 2s);
}

bool Orvane::ResizeClientTo(int width, int height) {
  RECT outer = WindowRect();
  SIZE client = ClientSize();
  int frameX = (outer.right - outer.left) - client.cx;
  int frameY = (outer.bottom - outer.top) - client.cy;
  ::SetWindowPos(window_, nullptr, 0, 0, width + frameX, height + frameY,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return WaitUntil([&] {
    SIZE now = ClientSize();
    return now.cx == width && now.cy == height;
  });
}

void Orvane::Sync() const {
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
}

bool Orvane::AwaitKeys() {
  constexpr wchar_t kMark = L'\u25C6';  // a character no test types
  PressKey(VK_END);  // a selection would be replaced by the mark
  Type(std::wstring_view(&kMark, 1));
  bool came = WaitUntil([&] { return Text().ends_with(kMark); }, 5s);
  if (came) {
    PressKey(VK_BACK);
    came = WaitUntil([&] { return !Text().ends_with(kMark); }, 5s);
  }
  return came;
}

Image Orvane::CaptureClient() const {
  Image image = CaptureScreen(ClientOnScreen());
  BlotCaret(image);
  return image;
}

void Orvane::BlotCaret(Image& image) const {
  int width = image.width, height = image.height;
  // The caret blinks: paint its place as background so pictures are comparable.
  GUITHREADINFO info{sizeof info};
  if (::GetGUIThreadInfo(process_.dwThreadId, &info) && info.hwndCaret) {
    RECT caret = info.rcCaret;
    ::MapWindowPoints(info.hwndCaret, window_, reinterpret_cast<POINT*>(&caret), 2);
    caret.left -= 1;
    caret.right += 1;
    for (int y = std::max(0L, caret.top); y < std::min<LONG>(height, caret.bottom); ++y) {
      for (int x = std::max(0L, caret.left); x < std::min<LONG>(width, caret.right); ++x) {
        image.pixels[y * width + x] = 0xFFFFFF;
      }
    }
  }
}

Image Orvane::CaptureSettled() const {
  Sync();
  // Paints still due are done now, in the program's own thread.
  ::RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sync();
  return SettledCapture([this] { return CaptureClient(); });
}

std::vector<HWND> Orvane::Dialogs() const {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{process_.dwProcessId, {}};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lParam);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hwnd, &pid);
        if (pid == s->pid && ClassOf(hwnd) == L"#32770" && ::IsWindowVisible(hwnd)) {
          s->found.push_back(hwnd);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring Orvane::DialogText(HWND dialog) {
  // A message box keeps its text in the static control with id 0xFFFF.
  if (HWND text = ::GetDlgItem(dialog, 0xFFFF)) return TextOf(text);
  // Wine's task dialog is a #32770 with a static per text: the content is the
  // longest (on Windows its inside is no window at all, and this finds nothing).
  std::wstring content;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) != L"Static" || (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
    std::wstring text = TextOf(child);
    if (text.size() > content.size()) content = std::move(text);
  }
  return content;
}

std::wstring Orvane::Title(HWND window) { return TextOf(window); }

RECT Orvane::DialogIconRect(HWND dialog) {
  RECT rc{};
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == L"Static" && (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      ::GetWindowRect(child, &rc);
      break;
    }
  }
  return rc;
}

bool Orvane::PressOk(HWND dialog) {
  // The one push button of an OK-only box; its id is not the same everywhere.
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == L"Button" && ::IsWindowVisible(child)) {
      ::PostMessageW(child, BM_CLICK, 0, 0);
      return WaitUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); });
    }
  }
  return false;
}

bool Orvane::PressButton(HWND dialog, int id) {
  HWND button = ::GetDlgItem(dialog, id);
  if (!button) return false;
  ::PostMessageW(button, BM_CLICK, 0, 0);
  return true;
}

bool Orvane::Answer(HWND dialog, int id) {
  return PressButton(dialog, id) && WaitUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); });
}

HWND Orvane::NextDialog(HWND previous, std::chrono::milliseconds timeout) const {
  HWND next = nullptr;
  WaitUntil([&] {
    // A dialog's own question (the save dialog's overwrite question) leaves
    // the dialog beneath disabled: the one enabled box is the one to answer.
    std::vector<HWND> boxes = Dialogs();
    std::erase_if(boxes, [&](HWND box) { return box == previous || !::IsWindowEnabled(box); });
    next = boxes.size() == 1 ? boxes.front() : nullptr;
    return next != nullptr;
  }, timeout);
  return next;
}

std::optional<DWORD> Orvane::GdiObjects() const {
  // Wine answers 0 for every process; a process with a window has some.
  if (DWORD count = ::GetGuiResources(process_.hProcess, GR_GDIOBJECTS)) return count;
  return GdiObjectsFromTable(process_.hProcess, process_.dwProcessId);
}

std::optional<DWORD> Orvane::UserObjects() const {
  if (DWORD count = ::GetGuiResources(process_.hProcess, GR_USEROBJECTS)) return count;
  return std::nullopt;
}

INPUT Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace e2e
