#include "posix/WindowsPath.h"

namespace corvane::posix {

namespace {

bool isLetter(char c) noexcept
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isSeparator(char c) noexcept
{
    return c == '\\' || c == '/';
}

bool isForbidden(char c) noexcept
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20) return true;
    switch (c) {
    case '<':
    case '>':
    case ':':
    case '"':
    case '|':
    case '?':
    case '*':
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<WindowsPath> parseWindowsPath(std::string_view text)
{
    if (text.size() < 2 || !isLetter(text[0]) || text[1] != ':') return std::nullopt;
    WindowsPath path;
    path.drive = static_cast<char>(text[0] & ~0x20);
    std::string_view rest = text.substr(2);
    path.trailingSeparator = !rest.empty() && isSeparator(rest.back());

    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = start;
        while (end < rest.size() && !isSeparator(rest[end]))
            ++end;
        const std::string_view name = rest.substr(start, end - start);
        start = end + 1;
        if (name.empty() || name == ".") continue;
        if (name == "..") {
            if (!path.components.empty()) path.components.pop_back();
            continue;
        }
        for (const char c : name)
            if (isForbidden(c)) return std::nullopt;
        path.components.emplace_back(name);
    }
    return path;
}

} // namespace corvane::posix
