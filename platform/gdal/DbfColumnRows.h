#pragma once
// The rows of a whole-table read of one text field of a Shapefile, read
// from the .dbf by shapelib instead of feature by feature through OGR: a
// record's one field costs a copy, where OGR builds a whole feature. The
// values are those OGR gives: the same library trims the blanks and tells
// Null (an empty field) apart, deleted records are skipped, and the text
// is recoded from the encoding OGR reads the file in (its .cpg or language
// driver byte, or the ENCODING open option) with the same CPLRecode.
// Any other field of a row, and its shape, come from the whole feature read
// by ID. Made and read by GdalCursor on the caller's thread.
//
//   auto rows = DbfColumnRows::open(lease, source, schema, field, firstId);
//   while (auto row = rows->next()) use(row->Value(field), rows->lastId());

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "gdal/DataSource.h"
#include "gdal/GdalRow.h"
#include "host/Tables.h"

namespace corvane::gdal {

struct DbfRead;
class DbfRow;

class DbfColumnRows {
public:
    // The rows of the text attribute at host index `fieldIndex`, less the
    // row `firstId` already handed out; nothing when the layer is no
    // Shapefile whose .dbf shapelib can open.
    static std::unique_ptr<DbfColumnRows> open(LayerLease& lease, std::shared_ptr<DataSource> source,
                                               std::shared_ptr<const LayerSchema> schema, std::int32_t fieldIndex,
                                               GIntBig firstId);

    explicit DbfColumnRows(std::shared_ptr<DbfRead> read);
    ~DbfColumnRows();
    DbfColumnRows(const DbfColumnRows&) = delete;
    DbfColumnRows& operator=(const DbfColumnRows&) = delete;

    // The next row, or empty after the last. Raises HostError when a
    // record cannot be read.
    host::Ref<host::IFeature> next();
    // The ID and text (null for Null) of the row `next` gave last.
    [[nodiscard]] GIntBig lastId() const noexcept { return m_lastId; }
    [[nodiscard]] const char* lastText() const noexcept;

private:
    std::shared_ptr<DbfRow> freeRow();

    std::shared_ptr<DbfRead> m_read;
    int m_next = 0;
    GIntBig m_lastId = OGRNullFID;
    std::array<std::shared_ptr<DbfRow>, 2> m_rows;
    std::size_t m_lastBuilt = 0;
};

} // namespace corvane::gdal
