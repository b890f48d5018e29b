#include "memory/MemoryTable.h"

#include "memory/MemoryCursor.h"
#include "memory/MemoryQueryFilter.h"
#include "memory/WhereClause.h"

namespace corvane::memory {

std::string MemoryField::Name()
{
    m_table->context().faults.check("IField.Name");
    return m_table->column(m_index).name();
}

std::int32_t MemoryField::Type()
{
    m_table->context().faults.check("IField.Type");
    return m_table->column(m_index).fieldType();
}

std::int32_t MemoryFields::FieldCount()
{
    m_table->context().faults.check("IFields.FieldCount");
    return m_table->fieldCount();
}

host::Ref<host::IField> MemoryFields::Field(std::int32_t index)
{
    m_table->context().faults.check("IFields.Field");
    if (index < 0 || index >= m_table->fieldCount())
        host::raiseError(kInvalidArgument, "The field index " + std::to_string(index) + " is out of range");
    return host::makeRef<MemoryField>(m_table, index);
}

ClassView::ClassView(std::shared_ptr<TableData> data, const char* interfaceName)
    : m_data(std::move(data)), m_interface(interfaceName)
{
}

void ClassView::check(const char* call) const
{
    // Class members run a few times per journey, never once per row, so
    // building the name here costs nothing that shows.
    const std::string name = m_interface + "." + call;
    m_data->context().faults.check(name.c_str());
}

std::int32_t ClassView::findField(const std::string& name)
{
    check("FindField");
    return m_data->findField(name);
}

host::Ref<host::IFields> ClassView::fields()
{
    check("Fields");
    return host::makeRef<MemoryFields>(m_data);
}

bool ClassView::hasOID()
{
    check("HasOID");
    return m_hasOid.value_or(m_data->oidFieldIndex() >= 0);
}

std::string ClassView::oidFieldName()
{
    check("OIDFieldName");
    if (m_data->oidFieldIndex() < 0) return {};
    return m_data->column(m_data->oidFieldIndex()).name();
}

std::int32_t countMatching(const TableData& data, const host::Ref<host::IQueryFilter>& filter)
{
    const WhereClause clause = WhereClause::compile(data, clauseOf(filter));
    std::int32_t count = 0;
    for (std::size_t row = 0; row < data.rowCount(); ++row)
        if (clause.matches(row)) ++count;
    return count;
}

host::Ref<host::ICursor> MemoryTable::Search(const host::Ref<host::IQueryFilter>& filter, bool recycling)
{
    m_view.check("Search");
    TableData& table = m_view.data();
    std::string clause = clauseOf(filter);
    table.context().journal.record(SearchRecord{"ITable.Search", table.name(), !filter.isNothing(), clause, recycling});
    WhereClause compiled = WhereClause::compile(table, clause);
    return host::makeRef<MemoryCursor>(RowScan(m_view.dataPtr(), std::move(compiled), recycling));
}

std::int32_t MemoryTable::RowCount(const host::Ref<host::IQueryFilter>& filter)
{
    m_view.check("RowCount");
    return countMatching(m_view.data(), filter);
}

std::int32_t MemoryFeatureClass::FeatureCount(const host::Ref<host::IQueryFilter>& filter)
{
    m_view.check("FeatureCount");
    return countMatching(m_view.data(), filter);
}

} // namespace corvane::memory
