#pragma once
// The terms of a where clause, read just far enough for a cursor to know
// which fields a clause uses and which text it must match exactly.

#include <string>
#include <vector>

namespace corvane::gdal {

// A `field = 'text'` term that every row of a clause must meet.
struct TextEquality {
    std::string field;
    std::string text;  // with doubled quotes undone
    friend bool operator==(const TextEquality&, const TextEquality&) = default;
};

// The text equalities of a clause that is a plain conjunction (terms joined
// by AND at the top level). OGR's own SQL compares text ignoring case, while
// the host's dialect compares exactly; cursors recheck these terms. A clause
// with OR or NOT at its top level gives none: its rows need not meet them.
std::vector<TextEquality> conjoinedTextEqualities(const std::string& clause);

// Every word and quoted name of a clause outside its text literals: the
// field names it may use (with keywords and numbers among them).
std::vector<std::string> namesIn(const std::string& clause);

} // namespace corvane::gdal
