// The settings file beside the executable: read key by key through the
// platform's private-profile reader at start, written whole at every close.

#include <string>

#include "app/main_window_win.h"
#include "app/user_error.h"
#include "app/version.h"
#include "display/font_fit.h"
#include "settings/ini_document.h"
#include "settings/placement_defaults.h"
#include "settings/setting_values.h"
#include "settings/settings_model.h"
#include "settings/settings_path.h"
#include "platform/files_win.h"
#include "platform/text_win.h"

namespace orvane {
namespace {

class ProfileReader {
 public:
  explicit ProfileReader(std::u16string path) : path_(std::move(path)) {}

  // The value, or the default when the file, the section or the key is missing.
  std::u16string Text(const wchar_t* section, const wchar_t* key, const std::u16string& fallback) const {
    wchar_t buffer[2048];
    DWORD got = ::GetPrivateProfileStringW(section, key, W(fallback), buffer, 2048, W(path_));
    return std::u16string(U16(std::wstring_view(buffer, got)));
  }
  std::int32_t Integer(const wchar_t* section, const wchar_t* key, std::int32_t fallback) const {
    return ParseIniInteger(Text(section, key, u"")).value_or(fallback);
  }
  bool Boolean(const wchar_t* section, const wchar_t* key, bool fallback) const {
    auto value = ParseIniInteger(Text(section, key, u""));
    return value ? *value != 0 : fallback;
  }

 private:
  std::u16string path_;
};

int ShowCommandFor(std::int32_t state) {
  switch (state) {
    case 1: return SW_SHOWMINIMIZED;
    case 2: return SW_SHOWMAXIMIZED;
    default: return SW_SHOWNORMAL;  // 0, and any value the window has no state for
  }
}

int ScreenPixelsPerInch() {
  WindowDC screen(nullptr);
  return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
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

}  // namespace

void TForm1::LoadSettings() {
  ProfileReader ini(SettingsPathFor(ExecutablePath()));
  const wchar_t* position = L"POSITION";
  const wchar_t* option = L"OPTION";

  WINDOWPLACEMENT placement{sizeof placement};
  ::GetWindowPlacement(hwnd_, &placement);
  placement.flags = static_cast<UINT>(ini.Integer(position, L"Flags", static_cast<std::int32_t>(placement.flags)));
  placement.showCmd = static_cast<UINT>(ini.Integer(position, L"ShowCmd", static_cast<std::int32_t>(placement.showCmd)));
  placement.ptMaxPosition.x = ini.Integer(position, L"MaxX", placement.ptMaxPosition.x);
  placement.ptMaxPosition.y = ini.Integer(position, L"MaxY", placement.ptMaxPosition.y);

  ::SetWindowPos(hwnd_, nullptr, 0, 0, ::GetSystemMetrics(SM_CXSCREEN) / 2,
                 ::GetSystemMetrics(SM_CYSCREEN) / 2, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT outer{};
  ::GetWindowRect(hwnd_, &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  RECT& restored = placement.rcNormalPosition;
  restored.left = ini.Integer(position, L"Left", DefaultLeft(work.right - work.left, width));
  restored.top = ini.Integer(position, L"Top", DefaultTop(work.bottom - work.top, height, ClientSize().cy));
  restored.right = ini.Integer(position, L"Right", restored.left + width);
  restored.bottom = ini.Integer(position, L"Bottom", restored.top + height);
  placement.showCmd = SW_HIDE;
  ::SetWindowPlacement(hwnd_, &placement);
  showCommand_ = ShowCommandFor(ini.Integer(position, L"state", 0));

  std::u16string current = Edit1.Text();
  std::u16string text = ini.Text(option, L"Text", current);
  if (text != current) Edit1.SetText(text);
  selectAll_ = ini.Boolean(option, L"SelectAll", true);
  if (selectAll_) {
    Edit1.SelectAll();
  } else {
    Edit1.CaretToEnd();
  }
  font_.face = ini.Text(option, L"FontName", font_.face);
  const int ppi = ScreenPixelsPerInch();
  font_.height = HeightFromPoints(ini.Integer(option, L"FontSize", PointsFromHeight(font_.height, ppi)), ppi);
  SetColors(TextToColor(ini.Text(option, L"FontColor", u"clBlack")), backColor_);
  SetColors(font_.color, TextToColor(ini.Text(option, L"BackColor", u"clWhite")));
  unsigned style = 0;
  if (ini.Boolean(option, L"FontBold", false)) style |= kBold;
  if (ini.Boolean(option, L"FontItalic", false)) style |= kItalic;
  if (ini.Boolean(option, L"FontUnderline", false)) style |= kUnderline;
  if (ini.Boolean(option, L"FontStrikeOut", false)) style |= kStrikeOut;
  font_.style = style;
}

bool TForm1::FormCloseQuery() {
  SaveSettings();  // a failure propagates: the close is abandoned, nothing lost
  return true;
}

void TForm1::SaveSettings() {
  const std::u16string exe = ExecutablePath();
  const std::u16string path = SettingsPathFor(exe);
  const AnsiCodec& ansi = ActiveCodePage();

  IniDocument document;
  if (std::optional<std::string> previous = ReadWholeFile(path)) document = ParseIni(*previous, ansi);

  ProgramSection program{FileNameOf(exe), FolderOf(exe), kVersionLabel, LastCloseText()};
  std::optional<PositionSection> position;
  std::optional<OptionSection> options;
  std::u16string text = Edit1.Text();
  if (!text.empty()) {
    WINDOWPLACEMENT placement{sizeof placement};
    ::GetWindowPlacement(hwnd_, &placement);
    const RECT& restored = placement.rcNormalPosition;
    const Rect bounds = modes_.fullScreen ? modes_.savedBounds
                                          : Rect{restored.left, restored.top, restored.right, restored.bottom};
    position = PositionSection{static_cast<std::int32_t>(placement.flags),
                               static_cast<std::int32_t>(placement.showCmd),
                               placement.ptMaxPosition.x,
                               placement.ptMaxPosition.y,
                               bounds.left,
                               bounds.top,
                               bounds.right,
                               bounds.bottom,
                               ::IsIconic(hwnd_) ? 1 : ::IsZoomed(hwnd_) ? 2 : 0};
    selectAll_ = Edit1.SelectionLength() == static_cast<int>(text.size());
    options = OptionSection{text,
                            selectAll_,
                            font_.face,
                            PointsFromHeight(font_.height, ScreenPixelsPerInch()),
                            font_.color,
                            TrueBackColor(),
                            font_.style};
  }
  StoreSettings(document, program, position, options);
  ReplaceWholeFile(path, SerializeIni(document, ansi));
}

}  // namespace orvane
