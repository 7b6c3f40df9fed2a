#include <algorithm>
#include <limits>
#include <string>

#include "settings/settings_file_win.h"

#include "display/font_fit.h"
#include "display/placement_defaults.h"
#include "display/stretched_text_win.h"
#include "platform/file_names.h"
#include "platform/files_win.h"
#include "platform/message_boxes_win.h"
#include "platform/screen_win.h"
#include "platform/text_win.h"
#include "platform/user_error.h"
#include "platform/version.h"
#include "settings/ini_document.h"
#include "settings/restored_bounds.h"
#include "settings/setting_values.h"
#include "settings/settings_model.h"
#include "settings/settings_path.h"

namespace orvane {
namespace {

// Client pixels at 96 dpi that a window restored from the file shows at least,
// each way: enough to see a part of the text and to click into it.
constexpr int kUsableClient = 64;

constexpr char16_t kCloseWithoutSaving[] = u"設定を保存せずに終了しますか？";

int ShowCommandFor(std::int32_t state) {
  switch (state) {
    case 1:
      return SW_SHOWMINIMIZED;
    case 2:
      return SW_SHOWMAXIMIZED;
    default:
      return SW_SHOWNORMAL;  // 0, and any value the window has no state for
  }
}

// "short date" + " " + "long time" in the user's formats; the time is left out
// at exactly midnight.
std::u16string LastCloseText() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  wchar_t date[128] = {};
  ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, 128, nullptr);
  std::u16string text(U16(date));
  if (now.wHour == 0 && now.wMinute == 0 && now.wSecond == 0 && now.wMilliseconds == 0) return text;
  wchar_t time[128] = {};
  ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &now, nullptr, time, 128);
  return text + u" " + std::u16string(U16(time));
}

std::int32_t Saturated(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// The placement record keeps the restored rectangle in workspace coordinates,
// counted from the work area's top-left corner: a taskbar at the top or left
// shifts them from screen coordinates by its thickness. The shift is that of
// the monitor the rectangle is on, as the platform takes it.
POINT WorkspaceShift(const RECT& rect, MONITORINFO& monitor) {
  monitor = MONITORINFO{sizeof monitor};
  if (!::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor))
    return {0, 0};
  return {monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
}

RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT ScreenToWorkspace(RECT rect) {
  MONITORINFO monitor;
  const POINT shift = WorkspaceShift(rect, monitor);
  ::OffsetRect(&rect, -shift.x, -shift.y);
  return rect;
}

// The work area of the monitor the rectangle (workspace coordinates) is on,
// in workspace coordinates too.
Bounds WorkAreaInWorkspace(const Bounds& bounds) {
  const RECT rect{bounds.left, bounds.top, bounds.right, bounds.bottom};
  MONITORINFO monitor;
  const POINT shift = WorkspaceShift(rect, monitor);
  return {monitor.rcWork.left - shift.x, monitor.rcWork.top - shift.y,
          monitor.rcWork.right - shift.x, monitor.rcWork.bottom - shift.y};
}

// The window's frame, the platform's smallest and largest window and the usable share,
// measured on the window as it stands (hidden, at the size of a first start).
WindowLimits LimitsOf(HWND hwnd) {
  RECT outer{};
  RECT client{};
  POINT origin{0, 0};
  ::GetWindowRect(hwnd, &outer);
  ::GetClientRect(hwnd, &client);
  ::ClientToScreen(hwnd, &origin);
  const UINT dpi = ::GetDpiForWindow(hwnd);
  WindowLimits limits;
  limits.frameLeft = origin.x - outer.left;
  limits.frameTop = origin.y - outer.top;
  limits.frameRight = outer.right - (origin.x + client.right);
  limits.frameBottom = outer.bottom - (origin.y + client.bottom);
  limits.minWidth = ::GetSystemMetricsForDpi(SM_CXMINTRACK, dpi);
  limits.minHeight = ::GetSystemMetricsForDpi(SM_CYMINTRACK, dpi);
  limits.maxWidth = ::GetSystemMetricsForDpi(SM_CXMAXTRACK, dpi);
  limits.maxHeight = ::GetSystemMetricsForDpi(SM_CYMAXTRACK, dpi);
  limits.usable = ::MulDiv(kUsableClient, static_cast<int>(dpi), 96);
  return limits;
}

}  // namespace

void SettingsStore::Load() {
  HWND window = context_.window;
  StretchedText& text = context_.text;
  IniDocument document;
  // Shared with everyone, as profile readers read: another copy saving at this
  // moment neither fails this read nor is held up by it. A file that cannot be
  // read (locked) gives the defaults, as to a profile reader; the close reports it.
  try {
    if (std::optional<std::string> bytes =
            ReadWholeFile(SettingsPathFor(ExecutablePath()), ReadSharing::Anyone)) {
      document = ParseIni(*bytes, ActiveCodePage());
    }
  } catch (const UserError&) {
  }
  const StoredSettings stored = ReadStoredSettings(document);

  WINDOWPLACEMENT placement{sizeof placement};
  ::GetWindowPlacement(window, &placement);
  if (stored.flags) placement.flags = static_cast<UINT>(*stored.flags);
  if (stored.showCmd) placement.showCmd = static_cast<UINT>(*stored.showCmd);
  placement.ptMaxPosition.x = stored.maxX.value_or(placement.ptMaxPosition.x);
  placement.ptMaxPosition.y = stored.maxY.value_or(placement.ptMaxPosition.y);

  const SIZE screen = ScreenSize();
  ::SetWindowPos(window, nullptr, 0, 0, screen.cx / 2, screen.cy / 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT work = WorkArea();
  RECT outer{};
  ::GetWindowRect(window, &outer);
  RECT client{};
  ::GetClientRect(window, &client);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  Bounds firstStart;
  firstStart.left = DefaultLeft(work.right - work.left, width);
  firstStart.top = DefaultTop(work.bottom - work.top, height, client.bottom);
  firstStart.right = firstStart.left + width;
  firstStart.bottom = firstStart.top + height;
  Bounds restored;
  restored.left = stored.left.value_or(firstStart.left);
  restored.top = stored.top.value_or(firstStart.top);
  restored.right = stored.right.value_or(Saturated(std::int64_t{restored.left} + width));
  restored.bottom = stored.bottom.value_or(Saturated(std::int64_t{restored.top} + height));
  if (stored.left || stored.top || stored.right || stored.bottom) {
    // A hand-edited or stale rectangle: the window must still be reachable.
    restored = UsableBounds(restored, WorkAreaInWorkspace(restored), LimitsOf(window))
                   .value_or(firstStart);
  }
  placement.rcNormalPosition = {restored.left, restored.top, restored.right, restored.bottom};
  placement.showCmd = SW_HIDE;
  ::SetWindowPlacement(window, &placement);
  showCommand_ = ShowCommandFor(stored.state.value_or(0));

  const TextField& field = text.Field();
  const std::u16string current = field.Text();
  const std::u16string shown = stored.text.value_or(current);
  if (shown != current) field.SetText(shown);
  const bool selectAll = stored.selectAll.value_or(true);
  text.SetWholeTextSelected(selectAll);
  if (selectAll) {
    field.SelectAll();
  } else {
    field.CaretToEnd();
  }
  DisplayFont font = text.Font();
  font.face = stored.fontName.value_or(font.face);
  // No font record holds more of a face name.
  if (font.face.size() >= kFaceNameUnits) font.face.resize(kFaceNameUnits - 1);
  const int ppi = ScreenPixelsPerInch();
  font.height = HeightFromPoints(
      ClampFontSize(stored.fontSize.value_or(PointsFromHeight(font.height, ppi))), ppi);
  text.Restore(font);
  // A colour that is no colour stops here, reported as start-up's failure:
  // what was read before it stays.
  text.SetColors(DisplayableColor(TextToColor(stored.fontColor.value_or(u"clBlack")), kBlack),
                 text.BackColor());
  text.SetColors(text.Font().color,
                 DisplayableColor(TextToColor(stored.backColor.value_or(u"clWhite")), kWhite));
  font = text.Font();
  font.style = 0;
  if (stored.bold.value_or(false)) font.style |= kBold;
  if (stored.italic.value_or(false)) font.style |= kItalic;
  if (stored.underline.value_or(false)) font.style |= kUnderline;
  if (stored.strikeOut.value_or(false)) font.style |= kStrikeOut;
  text.Restore(font);
}

bool SettingsStore::SaveAtClose() {
  try {
    Save();
    return true;
  } catch (...) {
    // The file on disk is whole either way; the user chooses between closing
    // without saving and staying with nothing lost.
    return AskAfterCurrentException(context_.window, kCloseWithoutSaving);
  }
}

void SettingsStore::SaveAtSessionEnd(bool queried) noexcept {
  // Nothing is asked and the session is never held up: the settings are
  // saved if the file can be written, and a file that was busy at the query
  // may be free by the end.
  if (queried) {
    savedForSessionEnd_ = SaveQuietly();
  } else if (!savedForSessionEnd_) {
    savedForSessionEnd_ = SaveQuietly();
  }
}

bool SettingsStore::SaveQuietly() noexcept {
  try {
    Save();
    return true;
  } catch (...) {
    return false;
  }
}

void SettingsStore::Save() {
  HWND window = context_.window;
  StretchedText& shown = context_.text;
  const DisplayModes& modes = context_.modes;
  const std::u16string exe = ExecutablePath();
  const std::u16string path = SettingsPathFor(exe);
  const AnsiCodec& ansi = ActiveCodePage();

  IniDocument document;
  if (std::optional<std::string> previous = ReadWholeFile(path, ReadSharing::ReadersOnly)) {
    document = ParseIni(*previous, ansi);
  }

  ProgramSection program{FileNameOf(exe), FolderOf(exe), kVersionLabel, LastCloseText()};
  std::optional<PositionSection> position;
  std::optional<OptionSection> options;
  std::u16string text = shown.Field().Text();
  if (!text.empty()) {
    WINDOWPLACEMENT placement{sizeof placement};
    ::GetWindowPlacement(window, &placement);
    // SavedBounds is in screen coordinates, the record's rectangle is not.
    const RECT bounds = modes.fullScreen ? ScreenToWorkspace(ToRECT(modes.savedBounds))
                                         : placement.rcNormalPosition;
    position = PositionSection{static_cast<std::int32_t>(placement.flags),
                               static_cast<std::int32_t>(placement.showCmd),
                               placement.ptMaxPosition.x,
                               placement.ptMaxPosition.y,
                               bounds.left,
                               bounds.top,
                               bounds.right,
                               bounds.bottom,
                               ::IsIconic(window)   ? 1
                               : ::IsZoomed(window) ? 2
                                                    : 0};
    const bool selectAll = shown.Field().SelectionLength() == static_cast<int>(text.size());
    shown.SetWholeTextSelected(selectAll);
    const DisplayFont& font = shown.Font();
    options = OptionSection{text,       selectAll,
                            font.face,  PointsFromHeight(font.height, ScreenPixelsPerInch()),
                            font.color, TrueBackColor(modes, shown.BackColor()),
                            font.style};
  }
  StoreSettings(document, program, position, options);
  ReplaceWholeFile(path, SerializeIni(document, ansi));
}

}  // namespace orvane
