#pragma once
// The maker's web and mail endpoints, written once. They are stand-ins under
// example.com: the dialogs' links, the logo and its tooltip use them.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace corvane::maker {

// Joins string literals at compile time, so that layout tables (which hold
// string_views) can carry texts built from the addresses below.
template <std::size_t... N>
constexpr auto joinLiterals(const char (&... parts)[N])
{
    std::array<char, (N + ... + 0) - sizeof...(N) + 1> out{};
    std::size_t at = 0;
    ((std::copy_n(parts, N - 1, out.begin() + static_cast<std::ptrdiff_t>(at)), at += N - 1), ...);
    return out;
}

template <std::size_t N>
constexpr std::string_view textOf(const std::array<char, N>& joined)
{
    return {joined.data(), N - 1};
}

inline constexpr char kWebSiteHost[] = "www.corvanegis.example.com";
inline constexpr char kInfoEmail[] = "info@corvanegis.example.com";

inline constexpr auto kWebSiteAddressText = joinLiterals("https://", kWebSiteHost, "/");
// The products for the host platform; a product's page is this, the product
// name and "/index.htm".
inline constexpr auto kProductsAddressText = joinLiterals("https://", kWebSiteHost, "/Products/ArcGIS/");

inline constexpr std::string_view kWebSiteAddress = textOf(kWebSiteAddressText);
inline constexpr std::string_view kProductsAddress = textOf(kProductsAddressText);

} // namespace corvane::maker
