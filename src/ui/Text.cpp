#include "ui/Text.h"

#include <algorithm>

#include <unicode/locid.h>
#include <unicode/unistr.h>
#include <unicode/uchar.h>

namespace corvane::ui {

namespace {

icu::UnicodeString fromUtf8(std::string_view text)
{
    return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
}

std::string toUtf8(const icu::UnicodeString& text)
{
    std::string out;
    text.toUTF8String(out);
    return out;
}

} // namespace

std::string upperCase(std::string_view text)
{
    icu::UnicodeString u = fromUtf8(text);
    u.toUpper(icu::Locale::getDefault());
    return toUtf8(u);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return compareIgnoringCase(a, b) == 0;
}

int compareIgnoringCase(std::string_view a, std::string_view b)
{
    return fromUtf8(a).caseCompare(fromUtf8(b), U_FOLD_CASE_DEFAULT);
}

std::size_t characterCount(std::string_view text)
{
    return static_cast<std::size_t>(fromUtf8(text).countChar32());
}

std::string leftCharacters(std::string_view text, std::size_t count)
{
    const icu::UnicodeString u = fromUtf8(text);
    const std::int32_t units = u.moveIndex32(0, static_cast<std::int32_t>(std::min<std::size_t>(
                                                       count, static_cast<std::size_t>(u.length()))));
    return toUtf8(u.tempSubString(0, units));
}

std::string trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

} // namespace corvane::ui
