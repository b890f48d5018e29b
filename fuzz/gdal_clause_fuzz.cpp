// Any bytes as a where clause on its way to OGR: the first line is one more
// field name of the layer, the rest is the clause. Every translation either
// raises HostError or gives text; a clause with a NUL byte never gets
// through, and quoting names with no names to quote changes nothing.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gdal/WhereClause.h"
#include "gdal/WhereTerms.h"
#include "host/HostError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace corvane;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = bytes.find('\n');
    const std::string extraName(bytes.substr(0, newline));
    const std::string clause(newline == std::string_view::npos ? std::string_view() : bytes.substr(newline + 1));
    const std::vector<std::string> names{"OBJECTID", "STNAME", "ADDNUM", "my field", "select", "O'Brien",
                                         "\"q\"",    "AND",    "in",     extraName};

    for (const auto style : {gdal::DateLiteralStyle::Iso, gdal::DateLiteralStyle::OgrSql}) {
        if (gdal::quoteFieldNames(clause, {}, style) != clause) __builtin_trap();
        const std::string quoted = gdal::quoteFieldNames(clause, names, style);
        (void)gdal::conjoinedTextEqualities(quoted);
        (void)gdal::namesIn(quoted);
        try {
            const std::string translated = gdal::translateWhereClause(quoted, style);
            if (translated.find('\0') != std::string::npos) __builtin_trap();
        } catch (const host::HostError& error) {
            if (error.number() >= 0 || error.description().empty()) __builtin_trap();
        }
    }
    (void)gdal::parseObjectIdList(clause, "OBJECTID");
    return 0;
}
