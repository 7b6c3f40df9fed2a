#pragma once
// The product's name and the maker's addresses, written once. The version
// lives in the generated platform/version.h.

#include <array>
#include <cstddef>
#include <string_view>

namespace orvane {
namespace detail {

template <std::size_t A, std::size_t B>
consteval std::array<char16_t, A + B - 1> Join(const char16_t (&a)[A], const char16_t (&b)[B]) {
  std::array<char16_t, A + B - 1> joined{};
  for (std::size_t i = 0; i + 1 < A; ++i) joined[i] = a[i];
  for (std::size_t i = 0; i < B; ++i) joined[A - 1 + i] = b[i];
  return joined;
}

inline constexpr char16_t kHomePage[] = u"https://orvane.example.org/";
inline constexpr auto kDonationPage = Join(kHomePage, u"software/index3.html");

}  // namespace detail

inline constexpr std::u16string_view ProductName = u"Orvane";
inline constexpr std::u16string_view CopyrightNotice = u"Copyright (C) 2025 The Orvane developers";
// The maker's mail address, shown in the about box.
inline constexpr std::u16string_view ContactMail = u"orvane@example.org";
// The maker's home page (ends in "/"), opened by "ホームサイト" and shown in the
// about box; the page that asks for support of the work, opened by "開発支援".
inline constexpr std::u16string_view HomePageAddress = detail::kHomePage;
inline constexpr std::u16string_view DonationPageAddress{detail::kDonationPage.data(),
                                                         detail::kDonationPage.size() - 1};

}  // namespace orvane
