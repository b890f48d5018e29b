#pragma once
// The host's where-clause dialect as PostgreSQL reads it. GDAL's PostgreSQL
// driver hands an attribute filter to the server unchanged, so the clause is
// rebuilt token by token instead of copied: field names become quoted
// identifiers spelled as the table spells them (a bare STNAME would fold to
// lower case and miss a column named "StName"), text literals are escaped
// for the server whatever its standard_conforming_strings says, date
// literals become ISO text the server casts to the column's type, and
// anything that is not part of the dialect (a semicolon, a comment, a cast,
// a dollar quote) is refused before it reaches the server.
//
//   // STNAME = 'O''NEIL\2 RD' AND SALEDATE = #1/2/2003#
//   translatePostgresClause(clause, schema)
//   // "stname" = E'O''NEIL\\2 RD' AND "saledate" = '2003-01-02'
//
// Text compares exactly on the server (letter case included), as the host
// compares it, so no rows need checking again afterwards.

#include <string>

#include "gdal/LayerSchema.h"

namespace corvane::gdal {

// Raises HostError for a clause outside the dialect (and for a bad date
// literal); the server's own objections come later, when rows are read.
std::string translatePostgresClause(const std::string& clause, const LayerSchema& schema);

// `text` as a PostgreSQL string literal, escaped for either setting of
// standard_conforming_strings. Raises HostError for text holding a NUL.
std::string postgresText(const std::string& text);

// `name` as a quoted PostgreSQL identifier. Raises HostError for a NUL.
std::string postgresName(const std::string& name);

} // namespace corvane::gdal
