// The letter-case text functions of the windowing layer on Windows, where
// the system's own NLS functions stand in for ICU (which mingw-w64 builds
// lack). Same contract as ui/Text.h.
#include "ui/Text.h"

#include <algorithm>
#include <windows.h>

#include "win32/Win32Text.h"

namespace corvane::ui {

namespace {

bool isHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

} // namespace

std::string upperCase(std::string_view text)
{
    std::wstring w = win32::widen(text);
    if (w.empty()) return {};
    const int length = static_cast<int>(w.size());
    const int needed = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING, w.c_str(),
                                     length, nullptr, 0, nullptr, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING, w.c_str(), length, out.data(),
                  needed, nullptr, nullptr, 0);
    return win32::narrow(out);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return compareIgnoringCase(a, b) == 0;
}

int compareIgnoringCase(std::string_view a, std::string_view b)
{
    // Both folded to lower case, then compared by code unit, as ICU's
    // default case folding orders them on the other platforms.
    std::wstring wa = win32::widen(a);
    std::wstring wb = win32::widen(b);
    if (!wa.empty()) CharLowerBuffW(wa.data(), static_cast<DWORD>(wa.size()));
    if (!wb.empty()) CharLowerBuffW(wb.data(), static_cast<DWORD>(wb.size()));
    const int order = wa.compare(wb);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

std::size_t characterCount(std::string_view text)
{
    const std::wstring w = win32::widen(text);
    std::size_t count = 0;
    for (std::size_t i = 0; i < w.size(); ++i, ++count)
        if (isHighSurrogate(w[i]) && i + 1 < w.size()) ++i;
    return count;
}

std::string leftCharacters(std::string_view text, std::size_t count)
{
    const std::wstring w = win32::widen(text);
    std::size_t units = 0;
    for (std::size_t taken = 0; units < w.size() && taken < count; ++taken)
        units += isHighSurrogate(w[units]) && units + 1 < w.size() ? 2 : 1;
    return win32::narrow(std::wstring_view(w).substr(0, units));
}

std::string trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

} // namespace corvane::ui
