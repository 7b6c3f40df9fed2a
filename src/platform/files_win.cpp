#include "platform/files_win.h"

#include <atomic>

#include "platform/user_error.h"
#include "platform/handles_win.h"
#include "platform/text_win.h"
#include "platform/file_names.h"

namespace orvane {
namespace {

[[noreturn]] void Fail(const char16_t* what, const std::u16string& path, DWORD code) {
  throw UserError(std::u16string(what) + u" \"" + path + u"\". " + SystemErrorText(code));
}

// Deletes the temporary file unless it has taken the old file's place.
struct TemporaryFile {
  std::u16string path;
  bool kept = false;
  ~TemporaryFile() {
    if (!kept && !path.empty()) ::DeleteFileW(W(path));
  }
};

// Another copy of the program reading the file at the same moment (two
// closing together) holds it for an instant: a busy file is tried again for
// about a second before the failure counts.
template <typename Attempt>
bool RetryWhileBusy(Attempt attempt, bool accessDeniedIsBusy) {
  for (int tries = 0;; ++tries) {
    if (attempt()) return true;
    const DWORD code = ::GetLastError();
    const bool busy = code == ERROR_SHARING_VIOLATION || (accessDeniedIsBusy && code == ERROR_ACCESS_DENIED);
    if (!busy || tries >= 20) {
      ::SetLastError(code);
      return false;
    }
    ::Sleep(50);
  }
}

bool ProcessRunning(DWORD processId) {
  UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
  // A process that cannot be opened for lack of rights still runs.
  if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;
  return ::WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

// Another copy of the program may be saving beside this one: only files whose
// writer has ended, or this process's own from an earlier save, are left over.
// A file still open is not deleted by the platform anyway.
void RemoveLeftoverTemporaryFiles(const std::u16string& path) {
  const std::u16string folder = FolderOf(path);
  const std::u16string name = FileNameOf(path);
  WIN32_FIND_DATAW found{};
  UniqueFindHandle search(::FindFirstFileW(W(folder + name + u".*-*.tmp"), &found));
  if (!search) return;
  const DWORD self = ::GetCurrentProcessId();
  do {
    // The pattern also matches short names; the long one decides.
    const std::optional<std::uint32_t> owner = TemporaryFileOwner(U16(found.cFileName), name);
    if (!owner || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (*owner != self && ProcessRunning(*owner)) continue;
    ::DeleteFileW(W(folder + std::u16string(U16(found.cFileName))));
  } while (::FindNextFileW(search.get(), &found));
}

bool IsFolder(const std::u16string& path) {
  const DWORD attributes = ::GetFileAttributesW(W(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file a link names, so that a save replaces that file and the link stays
// (under Wine a link cannot be replaced at all). The path itself when it is no
// link or names nothing that exists.
std::u16string FinalPathOf(const std::u16string& path) {
  UniqueFile file(::CreateFileW(W(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return path;
  std::wstring final(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()),
                                                     FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return path;
    if (length < final.size()) {
      final.resize(length);
      break;
    }
    final.resize(length);
  }
  // "\\?\C:\..." back to the plain form the rest of the program writes.
  constexpr std::wstring_view kLong = L"\\\\?\\";
  if (final.starts_with(kLong) && final.size() > kLong.size() + 2 && final[kLong.size() + 1] == L':') {
    final.erase(0, kLong.size());
  }
  return std::u16string(U16(final));
}

}  // namespace

std::u16string SystemErrorText(unsigned long code) {
  wchar_t* buffer = nullptr;
  DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::u16string text;
  if (buffer) {
    text.assign(U16(std::wstring_view(buffer, length)));
    ::LocalFree(buffer);
  }
  while (!text.empty() && (text.back() <= u' ' || text.back() == u'.')) text.pop_back();
  if (text.empty()) text = u"System error " + std::u16string(U16(std::to_wstring(code)));
  return text;
}

bool FileExists(const std::u16string& path) {
  const DWORD attributes = ::GetFileAttributesW(W(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<std::string> ReadWholeFile(const std::u16string& path, ReadSharing sharing) {
  const DWORD share =
      sharing == ReadSharing::Anyone ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE : FILE_SHARE_READ;
  UniqueFile file;
  RetryWhileBusy(
      [&] {
        file.reset(::CreateFileW(W(path), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
        return static_cast<bool>(file);
      },
      false);
  if (!file) {
    DWORD code = ::GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return std::nullopt;
    // A folder in the file's place holds no file; writing there fails instead.
    if (code == ERROR_ACCESS_DENIED && IsFolder(path)) return std::nullopt;
    Fail(u"Cannot open file", path, code);
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) Fail(u"Cannot open file", path, ::GetLastError());
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    DWORD got = 0;
    if (!::ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr)) {
      Fail(u"Cannot open file", path, ::GetLastError());
    }
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

void ReplaceWholeFile(const std::u16string& path, std::string_view bytes) {
  static std::atomic<unsigned> serial{0};
  // Messages name the path as the user knows it; the writing goes to the target.
  const std::u16string target = FinalPathOf(path);
  RemoveLeftoverTemporaryFiles(target);
  TemporaryFile temporary;
  temporary.path = TemporaryPathFor(target, ::GetCurrentProcessId(), serial++);
  {
    UniqueFile file(::CreateFileW(W(temporary.path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) Fail(u"Cannot create file", path, ::GetLastError());
    std::size_t done = 0;
    while (done < bytes.size()) {
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
      DWORD wrote = 0;
      if (!::WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) {
        Fail(u"Cannot create file", path, ::GetLastError());
      }
      done += wrote;
    }
    if (!::FlushFileBuffers(file.get())) Fail(u"Cannot create file", path, ::GetLastError());
  }
  // The replaced file refuses the move while anyone has it open; a read-only
  // one refuses it for good, and so does a folder in the file's place.
  const DWORD attributes = ::GetFileAttributesW(W(target));
  const bool lasting = attributes != INVALID_FILE_ATTRIBUTES &&
                       (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
  if (!RetryWhileBusy(
          [&] {
            return ::MoveFileExW(W(temporary.path), W(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
                   FALSE;
          },
          !lasting)) {
    Fail(u"Cannot create file", path, ::GetLastError());
  }
  temporary.kept = true;
}

const AnsiCodec& ActiveCodePage() {
  static const AnsiCodec codec{
      [](std::string_view bytes) {
        std::u16string text;
        if (bytes.empty()) return text;
        int units = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        text.resize(static_cast<std::size_t>(units));
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                              reinterpret_cast<wchar_t*>(text.data()), units);
        return text;
      },
      [](std::u16string_view text) -> std::optional<std::string> {
        std::string bytes;
        if (text.empty()) return bytes;
        const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
        BOOL lossy = FALSE;
        int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, &lossy);
        if (lossy || size <= 0) return std::nullopt;
        bytes.resize(static_cast<std::size_t>(size));
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, static_cast<int>(text.size()), bytes.data(),
                              size, nullptr, nullptr);
        return bytes;
      }};
  return codec;
}

}  // namespace orvane
