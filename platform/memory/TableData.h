#pragma once
// The rows of one memory table or feature class: its fields, object IDs,
// shapes and column values. Tables, feature classes, cursors and rows of
// the memory host are views over one TableData and share it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/Variant.h"
#include "memory/Box.h"
#include "memory/Column.h"
#include "memory/HostContext.h"

namespace corvane::memory {

struct FieldSpec {
    std::string name;
    std::int32_t type = 0; // an esriFieldType code
};

// The negative HRESULT a memory data source raises for a bad argument
// (a where clause it cannot read, a field index out of range).
inline constexpr std::int32_t kInvalidArgument = static_cast<std::int32_t>(0x80070057u);

[[nodiscard]] bool equalsIgnoringCase(std::string_view a, std::string_view b) noexcept;

class TableData {
public:
    // The fields in order; at most one object-ID and one geometry field.
    TableData(ContextPtr context, std::string name, const std::vector<FieldSpec>& fields);

    [[nodiscard]] HostContext& context() const noexcept { return *m_context; }
    [[nodiscard]] const ContextPtr& contextPtr() const noexcept { return m_context; }
    [[nodiscard]] const std::string& name() const noexcept { return m_name; }

    [[nodiscard]] std::int32_t fieldCount() const noexcept { return static_cast<std::int32_t>(m_columns.size()); }
    [[nodiscard]] const Column& column(std::int32_t index) const { return m_columns[static_cast<std::size_t>(index)]; }
    // Ignores case; -1 when absent.
    [[nodiscard]] std::int32_t findField(std::string_view name) const noexcept;
    [[nodiscard]] std::int32_t oidFieldIndex() const noexcept { return m_oidField; }
    [[nodiscard]] std::int32_t shapeFieldIndex() const noexcept { return m_shapeField; }

    // `values` are for the fields other than the object ID and the shape, in
    // field order. Returns the new row's object ID. Throws std::invalid_argument
    // for a wrong number or type of values.
    std::int32_t addRow(const Box& shape, const std::vector<host::Variant>& values);
    // The object ID the next row gets (then counting up).
    void setNextOID(std::int32_t oid) noexcept { m_nextOid = oid; }
    void reserve(std::size_t rows);

    [[nodiscard]] std::size_t rowCount() const noexcept { return m_oids.size(); }
    [[nodiscard]] std::int32_t oid(std::size_t row) const { return m_oids[row]; }
    // kNoShape for a Null shape, and for every row of a table without a geometry field.
    [[nodiscard]] Box shape(std::size_t row) const { return m_shapes.empty() ? kNoShape : m_shapes[row]; }
    // The field's value as IRow::Value hands it out: raises HostError for an
    // index out of range and error 13 for a geometry, blob or raster field.
    [[nodiscard]] host::Variant value(std::size_t row, std::int32_t field) const;

private:
    ContextPtr m_context;
    std::string m_name;
    std::vector<Column> m_columns;
    std::vector<std::size_t> m_valueColumns; // the columns `values` of addRow fill, in order
    std::int32_t m_oidField = -1;
    std::int32_t m_shapeField = -1;
    std::int32_t m_nextOid = 1;
    std::vector<std::int32_t> m_oids;
    std::vector<Box> m_shapes;
};

} // namespace corvane::memory
