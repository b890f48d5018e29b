#pragma once
// The attribute-query dialect of the memory data source, compiled once per
// Search into tests over column values, so that reading a row parses nothing.
//
//   clause  := term { AND term }
//   term    := field = literal | field IN ( literal { , literal } )
//   literal := 'text' (inner quotes doubled) | #M/D/YYYY [h:mm[:ss] [AM|PM]]# | number
//
// Keywords and field names ignore case. Text compares exactly, numbers by
// value, dates by day and time; Null and Empty cells equal nothing. A clause
// that is empty or all blanks selects every row.
//
// Like a database, the source refuses to compare across types: a text
// literal against a number field, a number against a text field, anything
// but a date against a date field. Every refusal, like every clause it
// cannot read or an unknown field, raises HostError with kInvalidArgument
// and a description that starts "Invalid where clause: ".

#include <cstdint>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "memory/Column.h"

namespace corvane::memory {

class TableData;

class WhereClause {
public:
    static WhereClause compile(const TableData& table, std::string_view clause);

    [[nodiscard]] bool matches(std::size_t row) const;

private:
    struct Term {
        ColumnKind kind = ColumnKind::Text;
        std::int32_t field = -1;
        bool never = false;       // no row can match (a literal no cell holds)
        bool useSet = false;
        std::int64_t key = 0;     // for `=`
        std::unordered_set<std::int64_t> keys; // for IN
    };

    explicit WhereClause(const TableData& table) : m_table(&table) {}

    const TableData* m_table;
    std::vector<Term> m_terms;
    bool m_never = false;
};

} // namespace corvane::memory
