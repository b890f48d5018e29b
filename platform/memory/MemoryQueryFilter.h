#pragma once
// The query filter the memory host creates by class name: the plain filter,
// with each call passing the fault injector.

#include "host/Tables.h"
#include "memory/HostContext.h"

namespace corvane::memory {

class MemoryQueryFilter final : public host::IQueryFilter {
public:
    explicit MemoryQueryFilter(ContextPtr context) : m_context(std::move(context)) {}

    [[nodiscard]] const std::string& clause() const noexcept { return m_whereClause; }

    std::string WhereClause() override
    {
        m_context->faults.check("IQueryFilter.WhereClause");
        return m_whereClause;
    }
    void WhereClause(const std::string& clause) override
    {
        m_context->faults.check("IQueryFilter.WhereClause=");
        m_whereClause = clause;
    }

private:
    ContextPtr m_context;
    std::string m_whereClause;
};

// The clause a Search is given: empty for an empty filter reference. A
// memory filter is read without a host call.
[[nodiscard]] inline std::string clauseOf(const host::Ref<host::IQueryFilter>& filter)
{
    if (filter.isNothing()) return {};
    if (const auto* memory = dynamic_cast<const MemoryQueryFilter*>(filter.get())) return memory->clause();
    return filter->WhereClause();
}

} // namespace corvane::memory
