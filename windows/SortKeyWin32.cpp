// The sorted list's order on Windows: the user's locale as the native list
// box compares, letter case ignored. LCMapStringEx makes a byte key that
// compares as CompareStringEx would, so the list compares plain bytes.
#include "ui/SortKey.h"

#include <windows.h>

#include <vector>

#include "win32/Win32Text.h"

namespace corvane::ui {

std::string listSortKey(std::string_view text)
{
    if (text.empty()) return {};
    const std::wstring wide = win32::widen(text);
    const int wideLength = static_cast<int>(wide.size());

    constexpr DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int keyLength = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, wide.data(), wideLength, nullptr, 0,
                                        nullptr, nullptr, 0);
    if (keyLength <= 0) return std::string(text);
    std::vector<char> key(static_cast<std::size_t>(keyLength));
    LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, wide.data(), wideLength, reinterpret_cast<LPWSTR>(key.data()),
                  keyLength, nullptr, nullptr, 0);
    // The key ends in a zero byte, which adds nothing to the order.
    return std::string(key.data(), key.size() - 1);
}

} // namespace corvane::ui
