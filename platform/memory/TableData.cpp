#include "memory/TableData.h"

#include <stdexcept>

#include "host/HostError.h"

namespace corvane::memory {

namespace {

char lowerAscii(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) noexcept
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

TableData::TableData(ContextPtr context, std::string name, const std::vector<FieldSpec>& fields)
    : m_context(std::move(context)), m_name(std::move(name))
{
    m_columns.reserve(fields.size());
    for (const FieldSpec& spec : fields) {
        const auto index = static_cast<std::int32_t>(m_columns.size());
        Column& column = m_columns.emplace_back(spec.name, spec.type);
        if (column.kind() == ColumnKind::Oid) {
            if (m_oidField >= 0) throw std::invalid_argument("two object-ID fields in " + m_name);
            m_oidField = index;
        } else if (column.kind() == ColumnKind::Shape) {
            if (m_shapeField >= 0) throw std::invalid_argument("two geometry fields in " + m_name);
            m_shapeField = index;
        } else if (column.kind() != ColumnKind::Opaque) {
            m_valueColumns.push_back(static_cast<std::size_t>(index));
        }
    }
}

std::int32_t TableData::findField(std::string_view name) const noexcept
{
    // As in every host: a name cut short by a NUL byte names no field.
    if (name.find('\0') != std::string_view::npos) return -1;
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (equalsIgnoringCase(m_columns[i].name(), name)) return static_cast<std::int32_t>(i);
    return -1;
}

std::int32_t TableData::addRow(const Box& shape, const std::vector<host::Variant>& values)
{
    if (values.size() != m_valueColumns.size())
        throw std::invalid_argument("table " + m_name + " takes " + std::to_string(m_valueColumns.size()) +
                                    " values per row, not " + std::to_string(values.size()));
    // Validate every value before storing any, so a rejected row leaves no partial columns.
    for (std::size_t i = 0; i < values.size(); ++i) m_columns[m_valueColumns[i]].check(values[i]);
    for (std::size_t i = 0; i < values.size(); ++i) m_columns[m_valueColumns[i]].append(values[i]);
    if (m_shapeField >= 0) m_shapes.push_back(shape);
    const std::int32_t oid = m_nextOid++;
    m_oids.push_back(oid);
    return oid;
}

void TableData::reserve(std::size_t rows)
{
    for (Column& column : m_columns) column.reserve(rows);
    m_oids.reserve(rows);
    if (m_shapeField >= 0) m_shapes.reserve(rows);
}

host::Variant TableData::value(std::size_t row, std::int32_t field) const
{
    if (field < 0 || field >= fieldCount())
        host::raiseError(kInvalidArgument, "The field index " + std::to_string(field) + " is out of range for " + m_name);
    const Column& column = m_columns[static_cast<std::size_t>(field)];
    switch (column.kind()) {
    case ColumnKind::Oid: return host::Variant(m_oids[row]);
    // A shape is an object: it has no value that converts to text or a number.
    case ColumnKind::Shape:
    case ColumnKind::Opaque: host::raiseError(host::errors::kTypeMismatch);
    default: return column.value(row);
    }
}

} // namespace corvane::memory
