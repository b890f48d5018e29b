#pragma once
// The rows of a whole-table read of one text field, read straight from the
// file's own column instead of feature by feature through OGR: a row's one
// value costs a copy, where OGR builds a whole feature. A row holds its
// object ID and that value; any other field of it, and its shape, come from
// the whole feature read by ID when asked. Subclasses say where the values
// come from (DbfColumnRows.h, SqliteColumnRows.h). Made and read by
// GdalCursor on the caller's thread.
//
//   while (auto row = rows->next()) use(row->Value(field), rows->lastId());

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "gdal/DataSource.h"
#include "gdal/GdalRow.h"
#include "host/Tables.h"

namespace corvane::gdal {

class ColumnRow;

class ColumnRows {
public:
    virtual ~ColumnRows();
    ColumnRows(const ColumnRows&) = delete;
    ColumnRows& operator=(const ColumnRows&) = delete;

    // The next row, or empty after the last. Raises HostError when a
    // record cannot be read.
    host::Ref<host::IFeature> next();
    // The ID and text (null for Null) of the row `next` gave last.
    [[nodiscard]] GIntBig lastId() const noexcept { return m_lastId; }
    [[nodiscard]] const char* lastText() const noexcept;

protected:
    // Rows of the attribute at host index `fieldIndex` of the source's layer.
    ColumnRows(std::shared_ptr<DataSource> source, std::shared_ptr<const LayerSchema> schema, std::int32_t fieldIndex);

    // The next record: its ID, and its text in `text` unless it is Null.
    // False after the last record.
    virtual bool readRecord(GIntBig& id, bool& isNull, std::string& text) = 0;
    [[nodiscard]] const std::string& layerName() const;

private:
    std::shared_ptr<ColumnRow> freeRow();

    std::shared_ptr<const RowContext> m_wholeRows;  // for features read in full by ID
    std::int32_t m_fieldIndex;
    GIntBig m_lastId = OGRNullFID;
    bool m_lastNull = true;
    // Callers hold at most the row before the one they ask for, so two rows
    // taken in turn are enough to never build one per row.
    std::array<std::shared_ptr<ColumnRow>, 2> m_rows;
    std::size_t m_lastBuilt = 0;
};

} // namespace corvane::gdal
