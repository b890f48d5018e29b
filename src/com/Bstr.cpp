// BSTR allocation: a 4-byte byte count, the characters, a null character.
#include "com/Types.h"

#include <cstdlib>
#include <cstring>

#ifndef _WIN32

namespace {

std::size_t length(const OLECHAR* text)
{
    std::size_t n = 0;
    while (text[n] != 0)
        ++n;
    return n;
}

} // namespace

extern "C" BSTR SysAllocStringLen(const OLECHAR* text, UINT count)
{
    const std::size_t bytes = static_cast<std::size_t>(count) * sizeof(OLECHAR);
    auto* block = static_cast<unsigned char*>(std::malloc(sizeof(std::uint32_t) + bytes + sizeof(OLECHAR)));
    if (block == nullptr) return nullptr;
    const auto prefix = static_cast<std::uint32_t>(bytes);
    std::memcpy(block, &prefix, sizeof prefix);
    auto* characters = reinterpret_cast<OLECHAR*>(block + sizeof prefix);
    if (text != nullptr)
        std::memcpy(characters, text, bytes);
    else
        std::memset(characters, 0, bytes);
    characters[count] = 0;
    return characters;
}

extern "C" BSTR SysAllocString(const OLECHAR* text)
{
    if (text == nullptr) return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(length(text)));
}

extern "C" void SysFreeString(BSTR text)
{
    if (text == nullptr) return;
    std::free(reinterpret_cast<unsigned char*>(text) - sizeof(std::uint32_t));
}

extern "C" UINT SysStringLen(BSTR text)
{
    if (text == nullptr) return 0;
    std::uint32_t bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<unsigned char*>(text) - sizeof bytes, sizeof bytes);
    return static_cast<UINT>(bytes / sizeof(OLECHAR));
}

#endif // _WIN32
