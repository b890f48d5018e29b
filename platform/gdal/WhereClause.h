#pragma once
// The host's where-clause dialect as OGR attribute filters understand it.
// Text literals stand in single quotes with inner quotes doubled, as both
// dialects write them; date literals between number signs (#1/2/2003#) have
// no OGR form and are rewritten into the text form that the driver compares
// with its date values.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::gdal {

enum class DateLiteralStyle {
    Iso,    // 'YYYY-MM-DD', for drivers that hand the clause to SQLite
    OgrSql, // 'YYYY/MM/DD', OGR's own SQL and its date text form
};

// Rewrites #M/D/YYYY# (optionally with h:mm[:ss] [AM|PM]) outside quoted
// text. Raises HostError for a date literal that is not a valid date, or an
// unterminated one, and for a clause with a NUL byte anywhere (OGR would
// read the clause only up to it).
std::string translateWhereClause(const std::string& clause, DateLiteralStyle style);

// Raises HostError when the clause holds a NUL byte.
void requireNoNulByte(const std::string& clause);

// A name as an identifier of the dialect the style stands for: in double
// quotes, an inner double quote doubled for SQLite (Iso) and escaped with a
// backslash for OGR's own SQL, whose reader knows no doubled quote in names.
std::string quoteIdentifier(std::string_view name, DateLiteralStyle dialect);

// The clause with each of `fieldNames` that it uses as a field written as a
// quoted identifier, so that names with blanks, quotes or keyword spellings
// reach the driver as names. The command writes names bare; a name counts as
// used where it starts a term: outside quoted text, not inside a longer
// word, and followed by a comparison (=, <, >, !, IN, IS, LIKE, NOT,
// BETWEEN). Longer names are tried first; names match ignoring ASCII case
// and are written as `fieldNames` spells them. Everything else is unchanged.
std::string quoteFieldNames(const std::string& clause, const std::vector<std::string>& fieldNames,
                            DateLiteralStyle dialect);

// The IDs of a clause that reads exactly `<oidField> in (id,id,...)`, field
// name compared ignoring case, blanks allowed around the parts. Anything else
// gives nullopt.
std::optional<std::vector<std::int64_t>> parseObjectIdList(const std::string& clause, const std::string& oidField);

} // namespace corvane::gdal
