// The Windows half of tests/faults/run-faults.sh, which starts Orvane.exe,
// kills it (kill -9) at random moments and fills its disk. These tests find
// the copy the script started, change its text and make it save; they run
// only under the script, which names the folder in ORVANE_FAULT_DIR.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "driver.h"

namespace e2e {
namespace {

constexpr int kFileNameEdit = 1152;  // in the save dialog

std::wstring Env(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return {};
  return std::wstring(value, value + std::strlen(value));  // ASCII paths and words
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The program's main window, other than `previous`. (Process ids of killed
// copies come back soon; window handles carry a new generation.)
HWND NewMainWindow(HWND previous) {
  HWND found = nullptr;
  for (HWND window = ::FindWindowW(L"TForm1", nullptr); window && !found;
       window = ::FindWindowExW(nullptr, window, L"TForm1", nullptr)) {
    if (window != previous && ::IsWindowVisible(window)) found = window;
  }
  return found;
}

class FaultRun : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = Env("ORVANE_FAULT_DIR");
    if (folder.empty()) GTEST_SKIP() << "run by tests/faults/run-faults.sh";
  }
  std::wstring File(const std::wstring& name) const { return folder + L"\\" + name; }

  // Waits for the copy the script starts next: null once the script says
  // stop, nullopt if nothing comes.
  std::optional<HWND> NextCopy(HWND previous = nullptr) const {
    HWND window = nullptr;
    if (!WaitUntil([&] { return (window = NewMainWindow(previous)) != nullptr || Exists(File(L"stop")); }, 60s)) {
      return std::nullopt;
    }
    return window;
  }

  static void SetText(Orvane& app, const std::wstring& text) {
    ::SendMessageW(app.Edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  // A new text every round; on the full disk one longer than the room left.
  static std::wstring TextFor(const std::wstring& kind, int round) {
    return kind + L"-" + std::to_wstring(round) + L" " + std::wstring(kind == L"full" ? 20000 : 2000, L'x');
  }

  // Tells the script that the save starts now.
  void Mark(int round) const { ASSERT_TRUE(WriteFileBytes(File(L"saving-" + std::to_wstring(round)), "")); }

  // Ctrl+S, the name, Save, and Yes to the dialog's replace question if it asks.
  // Returns once the dialog has gone, the save then running.
  void SaveBitmapAs(Orvane& app, const std::wstring& path, int round) {
    ASSERT_TRUE(app.Activate());
    app.PressKey('S', Orvane::kCtrl);
    HWND dialog = app.NextDialog();
    ASSERT_NE(dialog, nullptr);
    ::SendMessageW(::GetDlgItem(dialog, kFileNameEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    HWND last = dialog;
    if (Exists(path)) {
      Orvane::PressButton(dialog, IDOK);
      last = app.NextDialog(dialog);
      ASSERT_NE(last, nullptr);
    }
    Mark(round);
    Orvane::PressButton(last, last == dialog ? IDOK : IDYES);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog) || !app.Running(); }, 10s));
  }

  // The error box, its message starting "Cannot create file "path". ".
  static HWND ExpectCannotCreate(const Orvane& app, const std::wstring& path) {
    HWND box = app.NextDialog(nullptr, 20s);
    EXPECT_NE(box, nullptr) << "no error reported for " << testing::PrintToString(path);
    if (!box) return nullptr;
    EXPECT_EQ(Orvane::Title(box), L"Orvane");
    const std::wstring message = Orvane::DialogText(box);
    EXPECT_EQ(message.rfind(L"Cannot create file \"" + path + L"\". ", 0), 0u) << testing::PrintToString(message);
    return box;
  }

  // Close: the error and the question whether to close without saving; Yes.
  static void CloseExpectingTheQuestion(Orvane& app, const std::wstring& settings) {
    ::PostMessageW(app.Window(), WM_CLOSE, 0, 0);
    HWND box = ExpectCannotCreate(app, settings);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(Orvane::DialogText(box).ends_with(kCloseWithoutSaving));
    EXPECT_TRUE(Orvane::Answer(box, IDYES));
    EXPECT_TRUE(WaitUntil([&] { return !app.Running(); }, 10s)) << "closed without saving";
  }

  std::wstring folder;
};

// One copy after another, until the script says stop: each gets a new text
// and saves (the settings at close, or a picture over picture.bmp), and is
// then left to the script's kill.
TEST_F(FaultRun, SavesUntilKilled) {
  const std::wstring kind = Env("ORVANE_FAULT_KIND");
  HWND previous = nullptr;
  for (int round = 1;; ++round) {
    std::optional<HWND> window = NextCopy(previous);
    ASSERT_TRUE(window.has_value()) << "no copy came for round " << round;
    if (!*window) return;
    Orvane app(Orvane::Running_{}, *window);
    previous = *window;
    ASSERT_TRUE(app.Started());
    SetText(app, TextFor(kind, round));
    if (kind == L"settings") {
      Mark(round);
      ::PostMessageW(app.Window(), WM_CLOSE, 0, 0);
    } else {
      SaveBitmapAs(app, File(L"picture.bmp"), round);
    }
    EXPECT_TRUE(WaitUntil([&] { return !app.Running(); }, 30s)) << "round " << round << " was neither killed nor closed";
  }
}

// On a full disk both saves fail, are reported, and leave the old files.
TEST_F(FaultRun, FullDisk) {
  std::optional<HWND> window = NextCopy();
  ASSERT_TRUE(window && *window);
  Orvane app(Orvane::Running_{}, *window);
  ASSERT_TRUE(app.Started());
  SetText(app, TextFor(L"full", 0));
  const std::wstring picture = File(L"picture.bmp");
  SaveBitmapAs(app, picture, 0);
  HWND box = ExpectCannotCreate(app, picture);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(Orvane::PressOk(box));
  EXPECT_TRUE(app.Running());
  CloseExpectingTheQuestion(app, SettingsPath(folder));
}

// A settings file that is a folder, a link or locked: start-up goes on with
// the defaults; the close either saves or reports and asks (ORVANE_FAULT_EXPECT).
TEST_F(FaultRun, OddSettingsFile) {
  const std::wstring settings = SettingsPath(folder);
  HANDLE locked = INVALID_HANDLE_VALUE;
  if (Env("ORVANE_FAULT_LOCK") == L"1") {
    // Opened as a reader would, so that only the lock stands in the way.
    locked = ::CreateFileW(settings.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    OVERLAPPED whole{};
    ASSERT_TRUE(::LockFileEx(locked, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole));
    ASSERT_TRUE(WriteFileBytes(File(L"locked"), ""));
  }
  std::optional<HWND> window = NextCopy();
  ASSERT_TRUE(window && *window);
  Orvane app(Orvane::Running_{}, *window);
  ASSERT_TRUE(app.Started());
  EXPECT_TRUE(app.WaitForStartUp()) << "start-up went all the way";
  EXPECT_TRUE(app.Dialogs().empty());
  SetText(app, L"odd");
  if (Env("ORVANE_FAULT_EXPECT") == L"saved") {
    EXPECT_TRUE(app.Close());
    EXPECT_TRUE(app.Dialogs().empty());
  } else {
    ::PostMessageW(app.Window(), WM_CLOSE, 0, 0);
    HWND box = app.NextDialog(nullptr, 20s);
    ASSERT_NE(box, nullptr);
    const std::wstring message = Orvane::DialogText(box);
    // The file is there but cannot be read; or it cannot be made.
    EXPECT_TRUE(message.starts_with(L"Cannot create file \"" + settings + L"\". ") ||
                message.starts_with(L"Cannot open file \"" + settings + L"\". "))
        << testing::PrintToString(message);
    EXPECT_TRUE(message.ends_with(kCloseWithoutSaving));
    EXPECT_TRUE(Orvane::Answer(box, IDYES));
    EXPECT_TRUE(WaitUntil([&] { return !app.Running(); }, 10s));
  }
  if (locked != INVALID_HANDLE_VALUE) ::CloseHandle(locked);
}

}  // namespace
}  // namespace e2e
