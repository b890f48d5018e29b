#include "com/BstrText.h"

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
