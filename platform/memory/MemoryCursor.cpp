#include "memory/MemoryCursor.h"

#include "host/HostError.h"
#include "memory/MemoryGeometry.h"

namespace corvane::memory {

std::int32_t MemoryRow::OID()
{
    m_table->context().faults.check("IRow.OID");
    if (m_table->oidFieldIndex() < 0)
        host::raiseError(host::errors::kHostCallFailed, "The table " + m_table->name() + " has no object-ID field");
    return m_table->oid(m_row);
}

host::Variant MemoryRow::Value(std::int32_t index)
{
    m_table->context().faults.check("IRow.Value");
    return m_table->value(m_row, index);
}

host::Ref<host::IGeometry> MemoryRow::Shape()
{
    m_table->context().faults.check("IFeature.Shape");
    if (m_table->shapeFieldIndex() < 0)
        host::raiseError(host::errors::kHostCallFailed, "The table " + m_table->name() + " has no geometry field");
    const Box box = m_table->shape(m_row);
    if (isNoShape(box)) return {};
    return host::makeRef<MemoryShape>(m_table->contextPtr(), box);
}

RowScan::RowScan(std::shared_ptr<const TableData> table, WhereClause clause, bool recycling)
    : m_table(std::move(table)), m_clause(std::move(clause)), m_recycling(recycling), m_end(m_table->rowCount())
{
}

host::Ref<MemoryRow> RowScan::next()
{
    while (m_next < m_end) {
        const std::size_t row = m_next++;
        if (!m_clause.matches(row)) continue;
        if (!m_recycling) return host::makeRef<MemoryRow>(m_table, row);
        if (m_recycled) {
            m_recycled->moveTo(row);
        } else {
            m_recycled = std::make_shared<MemoryRow>(m_table, row);
        }
        return host::Ref<MemoryRow>(m_recycled);
    }
    return {};
}

host::Ref<host::IRow> MemoryCursor::NextRow()
{
    m_scan.table().context().faults.check("ICursor.NextRow");
    return m_scan.next();
}

std::int32_t MemoryCursor::FindField(const std::string& name)
{
    m_scan.table().context().faults.check("ICursor.FindField");
    return m_scan.table().findField(name);
}

host::Ref<host::IFeature> MemoryFeatureCursor::NextFeature()
{
    m_scan.table().context().faults.check("IFeatureCursor.NextFeature");
    return m_scan.next();
}

} // namespace corvane::memory
