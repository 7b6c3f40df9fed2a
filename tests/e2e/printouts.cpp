#include "printouts.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <vector>

namespace e2e {
namespace {

// Controls of the print dialog (the platform's dialog template ids).
constexpr int kCopiesField = 0x482;      // edt3
constexpr int kCollateBox = 0x411;       // chx2
constexpr int kPrintToFileBox = 0x410;   // chx1
constexpr int kPagesChoice = 0x421;      // rad2
constexpr int kSelectionChoice = 0x422;  // rad3

// A host path as Wine's drive Z: shows it.
std::wstring OnDriveZ(const std::string& hostPath) {
  std::wstring path = L"Z:";
  for (char c : hostPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return path;
}

std::string HostTempPath(const char* what) {
  static std::atomic<int> counter{0};
  return "/tmp/orvane-e2e-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter) + what;
}

std::wstring ControlText(HWND control) {
  auto length = ::SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  auto got = ::SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(got));
  return text;
}

bool Offered(HWND dialog, int id) {
  HWND control = ::GetDlgItem(dialog, id);
  return control && ::IsWindowVisible(control) && ::IsWindowEnabled(control);
}

// "Key:   value" of pdfinfo's report.
std::string InfoValue(const std::string& info, const std::string& key) {
  auto at = info.find(key + ":");
  if (at == std::string::npos) return {};
  auto start = info.find_first_not_of(' ', at + key.size() + 1);
  auto end = info.find('\n', start);
  return info.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// A binary PPM ("P6") as pdftoppm writes it.
Image ReadPpm(const std::string& bytes) {
  Image image;
  std::size_t at = 0;
  auto number = [&] {
    while (at < bytes.size() && (bytes[at] == ' ' || bytes[at] == '\n' || bytes[at] == '\r' || bytes[at] == '\t')) ++at;
    int value = 0;
    while (at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9') value = value * 10 + (bytes[at++] - '0');
    return value;
  };
  if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6') return image;
  at = 2;
  int width = number(), height = number();
  number();  // the maximum value, 255
  ++at;      // the one blank before the pixels
  if (bytes.size() < at + std::size_t(width) * height * 3) return image;
  image.width = width;
  image.height = height;
  image.pixels.resize(std::size_t(width) * height);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    auto byte = [&](int k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i * 3 + k])); };
    image.pixels[i] = (byte(0) << 16) | (byte(1) << 8) | byte(2);
  }
  return image;
}

}  // namespace

std::optional<std::string> HostCommand(const std::string& command, std::chrono::milliseconds timeout) {
  // Wine starts a host program as it would a Windows one, but hands back no
  // handle to wait on: the output file appears, whole, once it has ended.
  std::string out = HostTempPath(".out");
  std::string line = "/bin/sh -c \"(" + command + ") >" + out + ".part 2>/dev/null; mv " + out + ".part " + out + "\"";
  std::wstring wide(line.begin(), line.end());
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, wide.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return std::nullopt;
  }
  if (process.hThread) ::CloseHandle(process.hThread);
  if (process.hProcess) ::CloseHandle(process.hProcess);
  std::wstring result = OnDriveZ(out);
  if (!WaitUntil([&] { return ::GetFileAttributesW(result.c_str()) != INVALID_FILE_ATTRIBUTES; }, timeout)) {
    return std::nullopt;
  }
  std::string text = ReadFileBytes(result);
  ::DeleteFileW(result.c_str());
  return text;
}

Image Printout::Page(int page, int dpi) const {
  std::string root = HostTempPath("-page");
  auto done = HostCommand("pdftoppm -r " + std::to_string(dpi) + " -f " + std::to_string(page) + " -l " +
                          std::to_string(page) + " -singlefile '" + path + "' " + root + " && echo ok");
  std::wstring file = OnDriveZ(root + ".ppm");
  Image image;
  if (done && done->starts_with("ok")) image = ReadPpm(ReadFileBytes(file));
  ::DeleteFileW(file.c_str());
  return image;
}

namespace {

bool PrinterIdle() {
  auto queue = HostCommand("lpstat -o");
  return queue && queue->empty();
}

}  // namespace

PdfPrinter::PdfPrinter() {
  if (const char* folder = std::getenv("ORVANE_E2E_PDF_FOLDER")) folder_ = folder;
  if (folder_.empty()) return;
  // A job still on its way would land among this test's printouts.
  WaitUntil(PrinterIdle, 120s);
  seen_ = Files();
}

PdfPrinter::~PdfPrinter() {
  for (const std::string& name : made_) ::DeleteFileW(OnDriveZ(folder_ + "/" + name).c_str());
}

std::set<std::string> PdfPrinter::Files() const {
  std::set<std::string> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((OnDriveZ(folder_) + L"\\*.pdf").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = found.cFileName;
    names.insert(std::string(name.begin(), name.end()));  // cups-pdf writes ASCII names
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

std::set<std::string> PdfPrinter::Pending() const {
  std::set<std::string> fresh;
  for (const std::string& name : Files()) {
    if (!seen_.contains(name)) fresh.insert(name);
  }
  return fresh;
}

std::optional<Printout> PdfPrinter::Next(std::chrono::milliseconds timeout) {
  if (folder_.empty()) return std::nullopt;
  std::string name;
  // Finished: a new file stands there and the printer has no job left.
  bool finished = WaitUntil([&] {
    std::set<std::string> fresh = Pending();
    if (fresh.empty() || !PrinterIdle()) return false;
    // The job numbers in the names grow: the lowest is the oldest.
    std::vector<std::string> names(fresh.begin(), fresh.end());
    auto number = [](const std::string& n) {
      auto at = n.rfind("job_");
      return at == std::string::npos ? 0 : std::atoi(n.c_str() + at + 4);
    };
    name = *std::min_element(names.begin(), names.end(),
                             [&](const std::string& a, const std::string& b) { return number(a) < number(b); });
    return true;
  }, timeout);
  if (!finished) return std::nullopt;
  seen_.insert(name);
  made_.insert(name);
  Printout printout;
  printout.path = folder_ + "/" + name;
  std::string info = HostCommand("pdfinfo '" + printout.path + "'").value_or("");
  printout.title = InfoValue(info, "Title");
  printout.pages = std::atoi(InfoValue(info, "Pages").c_str());
  return printout;
}

bool PdfPrinter::JobBeingProduced() {
  // The spooler's folder holds the job's file from its start until it is handed on.
  wchar_t windows[MAX_PATH] = {};
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((std::wstring(windows) + L"\\system32\\spool\\PRINTERS\\*.SPL").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  ::FindClose(search);
  return true;
}

std::optional<PrintDialog> PrintDialog::Wait(const Orvane& app, std::chrono::milliseconds timeout) {
  HWND dialog = nullptr;
  WaitUntil([&] {
    for (HWND candidate : app.Dialogs()) {
      if (::GetDlgItem(candidate, kCopiesField)) dialog = candidate;
    }
    return dialog != nullptr;
  }, timeout);
  if (!dialog) return std::nullopt;
  return PrintDialog(dialog);
}

int PrintDialog::Copies() const { return _wtoi(ControlText(::GetDlgItem(dialog_, kCopiesField)).c_str()); }

void PrintDialog::SetCopies(int copies) const {
  std::wstring text = std::to_wstring(copies);
  ::SendMessageW(::GetDlgItem(dialog_, kCopiesField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool PrintDialog::Collate() const {
  return ::SendMessageW(::GetDlgItem(dialog_, kCollateBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void PrintDialog::SetCollate(bool collate) const {
  ::SendMessageW(::GetDlgItem(dialog_, kCollateBox), BM_SETCHECK, collate ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool PrintDialog::OffersPageRange() const {
  return Offered(dialog_, kPagesChoice) || Offered(dialog_, kSelectionChoice);
}

bool PrintDialog::OffersPrintToFile() const { return Offered(dialog_, kPrintToFileBox); }

bool PrintDialog::Press(int id) const {
  HWND button = ::GetDlgItem(dialog_, id);
  if (!button) return false;
  ::PostMessageW(button, BM_CLICK, 0, 0);
  return WaitUntil([&] { return !::IsWindow(dialog_) || !::IsWindowVisible(dialog_); });
}

bool PrintDialog::Ok() const { return Press(IDOK); }
bool PrintDialog::Cancel() const { return Press(IDCANCEL); }

int TopInsetPercent(const Image& page) {
  Box box = InkBox(page);
  if (box.Empty()) return 0;
  int left = box.right;
  for (int y = box.top; y < box.top + std::max(1, box.Height() / 5); ++y) {
    for (int x = box.left; x < left; ++x) {
      if (IsInk(page.At(x, y))) left = x;
    }
  }
  return (left - box.left) * 100 / box.Width();
}

}  // namespace e2e
