#pragma once
// The host's where-clause dialect as OGR attribute filters understand it.
// Text literals stand in single quotes with inner quotes doubled, as both
// dialects write them; date literals between number signs (#1/2/2003#) have
// no OGR form and are rewritten into the text form that the driver compares
// with its date values.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::gdal {

enum class DateLiteralStyle {
    Iso,    // 'YYYY-MM-DD', for drivers that hand the clause to SQLite
    OgrSql, // 'YYYY/MM/DD', OGR's own SQL and its date text form
};

// Rewrites #M/D/YYYY# (optionally with h:mm[:ss] [AM|PM]) outside quoted
// text. Raises HostError for a date literal that is not a valid date, or an
// unterminated one.
std::string translateWhereClause(const std::string& clause, DateLiteralStyle style);

// The IDs of a clause that reads exactly `<oidField> in (id,id,...)`, field
// name compared ignoring case, blanks allowed around the parts. Anything else
// gives nullopt.
std::optional<std::vector<std::int64_t>> parseObjectIdList(const std::string& clause, const std::string& oidField);

} // namespace corvane::gdal
