#include "com/GuidText.h"

#include <cstdio>

namespace corvane::com {

std::string toString(const GUID& g)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), static_cast<unsigned>(g.Data2), static_cast<unsigned>(g.Data3),
                  g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return buffer;
}

std::optional<GUID> parseGuid(std::string_view text)
{
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
    for (const std::size_t dash : {9u, 14u, 19u, 24u})
        if (text[dash] != '-') return std::nullopt;
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    bool ok = true;
    auto read = [&](std::size_t from, std::size_t digits) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < digits; ++i) {
            const int d = hex(text[from + i]);
            if (d < 0) ok = false;
            value = value * 16 + static_cast<std::uint32_t>(d < 0 ? 0 : d);
        }
        return value;
    };
    GUID g{};
    g.Data1 = read(1, 8);
    g.Data2 = static_cast<std::uint16_t>(read(10, 4));
    g.Data3 = static_cast<std::uint16_t>(read(15, 4));
    g.Data4[0] = static_cast<std::uint8_t>(read(20, 2));
    g.Data4[1] = static_cast<std::uint8_t>(read(22, 2));
    for (std::size_t i = 0; i < 6; ++i)
        g.Data4[2 + i] = static_cast<std::uint8_t>(read(25 + 2 * i, 2));
    if (!ok) return std::nullopt;
    return g;
}

} // namespace corvane::com
