#include "com/BstrText.h"

#ifdef _WIN32

#include <windows.h>

namespace corvane::com {

BSTR toBstr(std::string_view utf8)
{
    if (utf8.empty()) return SysAllocStringLen(L"", 0);
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (out != nullptr) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out, length);
    return out;
}

std::string fromBstr(BSTR text)
{
    const int length = static_cast<int>(SysStringLen(text));
    if (length == 0) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

} // namespace corvane::com

#else

#include <unicode/unistr.h>

namespace corvane::com {

BSTR toBstr(std::string_view utf8)
{
    const icu::UnicodeString u =
        icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<std::int32_t>(utf8.size())));
    static_assert(sizeof(UChar) == sizeof(OLECHAR));
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(u.getBuffer()), static_cast<UINT>(u.length()));
}

std::string fromBstr(BSTR text)
{
    if (text == nullptr) return {};
    const icu::UnicodeString u(reinterpret_cast<const UChar*>(text), static_cast<std::int32_t>(SysStringLen(text)));
    std::string out;
    u.toUTF8String(out);
    return out;
}

} // namespace corvane::com

#endif // _WIN32
