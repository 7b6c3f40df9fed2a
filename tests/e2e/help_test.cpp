// The help submenu as a user meets it: F1 opens the help file beside the
// program (under Wine, its pages in the desktop's browser) or says there is
// none, Alt+Enter asks for the program's properties without a word, and the
// about box shows the version over a gradient that changes at every paint.

#include <shlwapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <set>
#include <string>

#include "platform/version.h"
#include "driver.h"
#include "menu_reader.h"
#include "shell_helpers.h"

namespace e2e {
namespace {

std::set<DWORD> ProcessIds() {
  std::set<DWORD> ids;
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{sizeof entry};
  for (BOOL more = ::Process32FirstW(snapshot, &entry); more;
       more = ::Process32NextW(snapshot, &entry)) {
    ids.insert(entry.th32ProcessID);
  }
  ::CloseHandle(snapshot);
  return ids;
}

// Another process's command line, read from its process parameters.
std::wstring CommandLineOf(HANDLE process) {
  PROCESS_BASIC_INFORMATION info{};
  if (::NtQueryInformationProcess(process, ProcessBasicInformation, &info, sizeof info, nullptr) !=
      0)
    return {};
  PEB peb{};
  RTL_USER_PROCESS_PARAMETERS parameters{};
  SIZE_T got = 0;
  if (!::ReadProcessMemory(process, info.PebBaseAddress, &peb, sizeof peb, &got) ||
      !::ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, &got)) {
    return {};
  }
  std::wstring line(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
  ::ReadProcessMemory(process, parameters.CommandLine.Buffer, line.data(),
                      parameters.CommandLine.Length, &got);
  return line;
}

std::wstring Lower(std::wstring text) {
  ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

HWND ChildOfClass(HWND parent, const wchar_t* windowClass) {
  return ::FindWindowExW(parent, nullptr, windowClass, nullptr);
}

// Where the build puts the help beside Orvane.exe, which the tests copy.
std::wstring BuiltHelp(const wchar_t* name) {
  return ProductPath().substr(0, ProductPath().rfind(L'\\')) + L"\\" + name;
}

bool CopyFolder(const std::wstring& from, const std::wstring& to) {
  if (!::CreateDirectoryW(to.c_str(), nullptr)) return false;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((from + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool copied = true;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    copied &= ::CopyFileW((from + L"\\" + found.cFileName).c_str(),
                          (to + L"\\" + found.cFileName).c_str(), TRUE) != FALSE;
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return copied;
}

// "%20" and the like back to their characters.
std::string Unescaped(const std::string& url) {
  std::string text;
  for (std::size_t i = 0; i < url.size(); ++i) {
    if (url[i] == '%' && i + 2 < url.size()) {
      text += static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      text += url[i];
    }
  }
  return text;
}

// The desktop's browser as Wine's browser launcher finds it (the Browsers
// list of HKCU\Software\Wine\WineBrowser), replaced for the test's life by a
// host script in the folder that records what it was asked to open.
class StandInBrowser {
 public:
  explicit StandInBrowser(const std::wstring& folder) : record_(folder + L"\\opened.txt") {
    const std::wstring script = folder + L"\\browser.sh";
    if (!WriteFileBytes(script,
                        "printf '%s' \"$1\" >\"${0%/*}/opened.part\" && "
                        "mv \"${0%/*}/opened.part\" \"${0%/*}/opened.txt\"\n")) {
      return;
    }
    const std::string unix = UnixPath(script);
    DWORD disposition = 0;
    if (unix.empty() ||
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                          nullptr, &key_, &disposition) != ERROR_SUCCESS) {
      return;
    }
    created_ = disposition == REG_CREATED_NEW_KEY;
    wchar_t old[1024] = {};
    DWORD size = sizeof old - sizeof(wchar_t);
    if (::RegQueryValueExW(key_, L"Browsers", nullptr, nullptr, reinterpret_cast<BYTE*>(old),
                           &size) == ERROR_SUCCESS)
      old_ = old;
    // /bin/sh runs it: a file written from Windows is not executable.
    const std::wstring command = L"/bin/sh \"" + std::wstring(unix.begin(), unix.end()) + L"\"";
    ready_ = ::RegSetValueExW(
                 key_, L"Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                 static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }
  ~StandInBrowser() {
    if (!key_) return;
    if (old_) {
      ::RegSetValueExW(key_, L"Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(old_->c_str()),
                       static_cast<DWORD>((old_->size() + 1) * sizeof(wchar_t)));
    } else if (ready_) {
      ::RegDeleteValueW(key_, L"Browsers");
    }
    ::RegCloseKey(key_);
    if (created_) ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
  }
  StandInBrowser(const StandInBrowser&) = delete;
  StandInBrowser& operator=(const StandInBrowser&) = delete;

  [[nodiscard]] bool Ready() const { return ready_; }
  // What the browser was asked to open, once it has been.
  [[nodiscard]] std::optional<std::string> Opened(std::chrono::milliseconds timeout) const {
    if (!WaitUntil([&] { return ::GetFileAttributesW(record_.c_str()) != INVALID_FILE_ATTRIBUTES; },
                   timeout))
      return std::nullopt;
    return ReadFileBytes(record_);
  }

 private:
  static constexpr wchar_t kKey[] = L"Software\\Wine\\WineBrowser";
  std::wstring record_;
  HKEY key_ = nullptr;
  bool created_ = false;
  std::optional<std::wstring> old_;
  bool ready_ = false;
};

class HelpCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.Activate());
  }
  Orvane app;
};

// Under Wine too, where the pages are not beside it.
TEST_F(HelpCommands, F1OpensTheHelpFileBesideTheProgramInTheRegisteredViewer) {
  std::wstring help = app.Folder() + L"\\Orvane.chm";
  ASSERT_TRUE(::CopyFileW(BuiltHelp(L"Orvane.chm").c_str(), help.c_str(), FALSE))
      << "the build puts Orvane.chm beside Orvane.exe";
  wchar_t viewer[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  ASSERT_EQ(::AssocQueryStringW(0, ASSOCSTR_EXECUTABLE, L".chm", L"open", viewer, &size), S_OK)
      << "no viewer registered for .chm files";

  std::set<DWORD> before = ProcessIds();
  app.PressKey(VK_F1);
  HANDLE started = nullptr;
  std::wstring commandLine;
  EXPECT_TRUE(WaitUntil(
      [&] {
        for (DWORD id : ProcessIds()) {
          if (before.count(id)) continue;
          HANDLE process = ::OpenProcess(PROCESS_ALL_ACCESS, FALSE, id);
          if (!process) continue;
          std::wstring line = Lower(CommandLineOf(process));
          if (line.find(Lower(PathFindFileNameW(viewer))) != std::wstring::npos) {
            started = process;
            commandLine = line;
            return true;
          }
          ::CloseHandle(process);
        }
        return false;
      },
      10s))
      << "the viewer " << testing::PrintToString(std::wstring(viewer)) << " did not start";
  EXPECT_NE(commandLine.find(Lower(help)), std::wstring::npos)
      << testing::PrintToString(commandLine);
  EXPECT_TRUE(app.Dialogs().empty()) << "no message";
  if (started) {
    // Without an HTML engine the viewer may wait on a question of its own.
    ::TerminateProcess(started, 0);
    ::WaitForSingleObject(started, 5000);
    ::CloseHandle(started);
  }
}

TEST_F(HelpCommands, UnderWineF1OpensTheHelpPagesBesideTheProgramInTheDesktopsBrowser) {
  const std::wstring pages = app.Folder() + L"\\Orvane-help";
  if (UnixPath(app.Folder()).empty())
    GTEST_SKIP() << "Wine only: on Windows F1 opens the help file";
  // As the release unpacks: the pages and the help file beside the program.
  ASSERT_TRUE(CopyFolder(BuiltHelp(L"Orvane-help"), pages))
      << "the build puts Orvane-help beside Orvane.exe";
  ASSERT_TRUE(::CopyFileW(BuiltHelp(L"Orvane.chm").c_str(),
                          (app.Folder() + L"\\Orvane.chm").c_str(), FALSE));
  StandInBrowser browser(app.Folder());
  ASSERT_TRUE(browser.Ready());

  app.PressKey(VK_F1);
  std::optional<std::string> opened = browser.Opened(20s);
  ASSERT_TRUE(opened) << "no browser was asked to open anything";
  EXPECT_EQ(Unescaped(*opened), "file://" + UnixPath(pages + L"\\index.html"));
  EXPECT_TRUE(app.Dialogs().empty()) << "no message";
}

TEST_F(HelpCommands, F1WithNoHelpFileUpTheFoldersSaysSoAndNamesTheFile) {
  app.PressKey(VK_F1);
  ASSERT_TRUE(WaitUntil([&] { return !app.Dialogs().empty(); }));
  HWND message = app.Dialogs().front();
  EXPECT_EQ(Orvane::Title(message), L"Orvane");
  EXPECT_EQ(Orvane::DialogText(message), L"ヘルプファイルがありません。\r\n\r\nOrvane.chm");
  EXPECT_TRUE(Orvane::PressOk(message));
}

TEST_F(HelpCommands, AltEnterAsksForThePropertiesAndShowsNoError) {
  app.PressKey(VK_END);
  app.PressKey(VK_RETURN, Orvane::kAlt);
  // Keys are handled in order: once the next one has typed, Alt+Enter has run.
  app.Type(L"x");
  ASSERT_TRUE(WaitUntil([&] { return app.Text() == L"Orvanex"; })) << "Alt+Enter typed nothing";
  app.Sync();
  for (HWND dialog : app.Dialogs()) {
    EXPECT_NE(Orvane::Title(dialog), L"Orvane")
        << testing::PrintToString(Orvane::DialogText(dialog));
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);  // a properties sheet, where the shell shows one
  }
}

TEST(AboutBox, ShowsTheVersionLinesOverANewGradientAtEveryPaintAndClosesWithEsc) {
  Orvane app;
  ASSERT_TRUE(app.Started());
  ASSERT_TRUE(app.Activate());
  ASSERT_TRUE(ChooseFromMenu(app, {L"ヘルプ", L"バージョン情報"}));
  ASSERT_TRUE(WaitUntil([&] { return !app.Dialogs().empty(); }));
  HWND box = app.Dialogs().front();

  EXPECT_EQ(Orvane::Title(box), L"Orvane");
  EXPECT_EQ(::GetWindowLongPtrW(box, GWL_STYLE) & WS_SYSMENU, 0)
      << "no system menu, no caption buttons";
  EXPECT_NE(::GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_GT(Orvane::DialogIconRect(box).right, Orvane::DialogIconRect(box).left)
      << "the program's icon";

  std::vector<std::wstring> lines = Lines(Orvane::DialogText(box));
  ASSERT_EQ(lines.size(), 10u) << testing::PrintToString(Orvane::DialogText(box));
  auto wide = [](const char16_t* text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text));
  };
  EXPECT_EQ(lines[0], L"Orvane Orvane " + wide(orvane::kVersionLabel) + L" (" +
                          wide(orvane::kVersionText) + L") Release Build");
  EXPECT_EQ(Lower(lines[1]), Lower(app.Folder() + L"\\Orvane.exe"));
  EXPECT_EQ(lines[2], L"CurrentScreen " + std::to_wstring(::GetSystemMetrics(SM_CXSCREEN)) +
                          L" x " + std::to_wstring(::GetSystemMetrics(SM_CYSCREEN)));
  EXPECT_EQ(lines[3], L"");
  EXPECT_EQ(lines[5], L"orvane@example.org");
  EXPECT_EQ(lines[6], L"https://orvane.example.org/");
  EXPECT_EQ(lines[7], L"");
  EXPECT_TRUE(lines[8] == L"Peace for Ukraine" || lines[8] == L"Peace For Ukraine")
      << testing::PrintToString(lines[8]);
  EXPECT_TRUE(std::regex_match(
      lines[9], std::wregex(L"\\d{1,2} \\S+ \\d{4} \\S+ \\d\\d:\\d\\d, Ukraine Standard Time"
                            L"( \\(in Daylight Saving Time\\))?")))
      << testing::PrintToString(lines[9]);

  // The pointer waits on OK, four fifths across it.
  HWND ok = ChildOfClass(box, L"Button");
  RECT button{};
  ::GetWindowRect(ok, &button);
  POINT pointer{};
  ::GetCursorPos(&pointer);
  EXPECT_TRUE(::PtInRect(&button, pointer))
      << ToString(button) << " " << pointer.x << "," << pointer.y;
  EXPECT_NEAR(pointer.x, button.left + 4 * ((button.right - button.left) / 5), 4);

  // Every paint draws a new gradient from white.
  RECT client{};
  ::GetClientRect(box, &client);
  ::MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
  auto settled = [&] { return SettledCapture([&] { return CaptureScreen(client); }); };
  Image first = settled();
  std::vector<Image> pictures{first};
  for (int paint = 0; paint < 2; ++paint) {
    ::RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(WaitUntil([&] { return CaptureScreen(client) != pictures.back(); }))
        << "repaint " << paint << " kept its background";
    pictures.push_back(settled());
    KeepShot(pictures.back(), "about-" + std::to_string(paint));
  }
  for (const Image& picture : pictures) {
    std::uint32_t corner = picture.At(1, 1);
    EXPECT_TRUE((corner & 0xF0F0F0) == 0xF0F0F0) << "white at the top left: " << std::hex << corner;
  }

  app.PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }));
  EXPECT_TRUE(app.Running()) << "Esc closed the box, not the program";
  EXPECT_TRUE(app.Dialogs().empty());
}

}  // namespace
}  // namespace e2e
