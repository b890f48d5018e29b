#pragma once
// The plain query filter that every host registers under kQueryFilterClass:
// it only carries a where clause to the host's Search calls.

#include <string>

#include "host/Tables.h"

namespace corvane::host {

class QueryFilter final : public IQueryFilter {
public:
    std::string WhereClause() override { return m_whereClause; }
    void WhereClause(const std::string& clause) override { m_whereClause = clause; }

private:
    std::string m_whereClause;
};

} // namespace corvane::host
