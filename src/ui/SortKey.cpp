#include "ui/SortKey.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace corvane::ui {

namespace {

std::unique_ptr<icu::Collator> makeCollator()
{
    // ICU reads the C and POSIX locales as en_US_POSIX, whose collation is
    // code-point order with case first; such a user gets the common order.
    icu::Locale locale = icu::Locale::getDefault();
    if (std::strcmp(locale.getName(), "en_US_POSIX") == 0 || std::strcmp(locale.getLanguage(), "c") == 0) {
        locale = icu::Locale::getRoot();
    }
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(locale, status));
    if (U_FAILURE(status) || !collator) {
        status = U_ZERO_ERROR;
        collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
    }
    if (collator) collator->setStrength(icu::Collator::SECONDARY);  // accents count, case does not
    return collator;
}

} // namespace

std::string listSortKey(std::string_view text)
{
    // Shared and locked rather than one per thread: this code lives in a
    // library the host loads and may unload, where per-thread storage with
    // destructors pins the library and has crashed the leak checker at exit.
    static std::mutex guard;
    static const std::unique_ptr<icu::Collator> collator = makeCollator();
    static std::vector<std::uint8_t> buffer(256);
    if (!collator) return std::string(text);  // no collation data at all: byte order
    const icu::UnicodeString unicode =
        icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
    const std::lock_guard lock(guard);
    auto length = collator->getSortKey(unicode, buffer.data(), static_cast<std::int32_t>(buffer.size()));
    if (length > static_cast<std::int32_t>(buffer.size())) {
        buffer.resize(static_cast<std::size_t>(length));
        length = collator->getSortKey(unicode, buffer.data(), static_cast<std::int32_t>(buffer.size()));
    }
    // The key ends in a zero byte, which adds nothing to the order.
    const auto size = length > 0 ? static_cast<std::size_t>(length - 1) : 0;
    return std::string(reinterpret_cast<const char*>(buffer.data()), size);
}

} // namespace corvane::ui
