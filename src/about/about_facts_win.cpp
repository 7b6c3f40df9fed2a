#include "about/about_facts_win.h"

#include <memory>

#include "about/about_text.h"
#include "platform/sdk_win.h"
#include "platform/text_win.h"

// After the window headers, which it needs.
#include <winver.h>

namespace orvane {
namespace {

constexpr LCID kUkrainian = 1058;

std::u16string LocaleText(LCID locale, LCTYPE type) {
  wchar_t buffer[128] = {};
  int length = ::GetLocaleInfoW(locale, type, buffer, 128);
  return length > 1 ? std::u16string(U16(std::wstring_view(buffer, length - 1))) : std::u16string();
}

// Ukrainian names; the user's own where the system lacks that locale.
DateNames UkrainianDateNames() {
  LCID locale = ::IsValidLocale(kUkrainian, LCID_SUPPORTED) &&
                        !LocaleText(kUkrainian, LOCALE_SMONTHNAME1).empty()
                    ? kUkrainian
                    : LOCALE_USER_DEFAULT;
  DateNames names;
  for (int i = 0; i < 12; ++i) names.months[i] = LocaleText(locale, LOCALE_SMONTHNAME1 + i);
  for (int i = 0; i < 7; ++i) names.weekdays[i] = LocaleText(locale, LOCALE_SDAYNAME1 + i);
  return names;
}

}  // namespace

std::u16string FileVersionText(const std::u16string& path) {
  DWORD ignored = 0;
  DWORD size = ::GetFileVersionInfoSizeW(W(path), &ignored);
  if (size == 0) return {};
  auto buffer = std::make_unique<std::byte[]>(size);
  if (!::GetFileVersionInfoW(W(path), 0, size, buffer.get())) return {};
  void* block = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(buffer.get(), L"\\", &block, &length) || !block ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    return {};
  }
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(block);
  return FormatFileVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
}

std::u16string UkraineTimeLine() {
  // The UTC clock: the local one repeats an hour each autumn and may run
  // without its zone's daylight shift.
  SYSTEMTIME now{};
  ::GetSystemTime(&now);
  UtcTime utc{now.wYear,   now.wMonth,  now.wDay,         now.wHour,
              now.wMinute, now.wSecond, now.wMilliseconds};
  return UkraineTimeLine(utc, UkrainianDateNames());
}

}  // namespace orvane
