#include "com/ElfSection.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>

namespace corvane::com {

namespace {

template <class T> std::optional<T> readAt(const std::string& data, std::uint64_t offset)
{
    if (offset > data.size() || data.size() - offset < sizeof(T)) return std::nullopt;
    T value{};
    std::memcpy(&value, data.data() + offset, sizeof(T));
    return value;
}

} // namespace

std::optional<std::string> readElfSection(const std::string& path, const std::string& name)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string data = bytes.str();
    // "\x7F" "ELF", 64-bit, little-endian.
    if (data.size() < 64 ||
        data.compare(0, 4,
                     "\x7F"
                     "ELF") != 0 ||
        data[4] != 2 || data[5] != 1)
        return std::nullopt;

    const auto sectionTable = readAt<std::uint64_t>(data, 0x28);
    const auto entrySize = readAt<std::uint16_t>(data, 0x3A);
    const auto count = readAt<std::uint16_t>(data, 0x3C);
    const auto namesIndex = readAt<std::uint16_t>(data, 0x3E);
    if (!sectionTable || !entrySize || !count || !namesIndex || *entrySize < 64 || *namesIndex >= *count)
        return std::nullopt;

    auto header = [&](std::uint64_t index) { return *sectionTable + index * *entrySize; };
    const auto namesOffset = readAt<std::uint64_t>(data, header(*namesIndex) + 24);
    const auto namesSize = readAt<std::uint64_t>(data, header(*namesIndex) + 32);
    if (!namesOffset || !namesSize || *namesOffset > data.size() || data.size() - *namesOffset < *namesSize)
        return std::nullopt;

    for (std::uint64_t i = 0; i < *count; ++i) {
        const auto nameAt = readAt<std::uint32_t>(data, header(i));
        const auto offset = readAt<std::uint64_t>(data, header(i) + 24);
        const auto size = readAt<std::uint64_t>(data, header(i) + 32);
        if (!nameAt || !offset || !size || *nameAt >= *namesSize) continue;
        const char* sectionName = data.data() + *namesOffset + *nameAt;
        const std::size_t maxLength = static_cast<std::size_t>(*namesSize - *nameAt);
        if (std::string(sectionName, strnlen(sectionName, maxLength)) != name) continue;
        if (*offset > data.size() || data.size() - *offset < *size) return std::nullopt;
        return data.substr(static_cast<std::size_t>(*offset), static_cast<std::size_t>(*size));
    }
    return std::nullopt;
}

} // namespace corvane::com
