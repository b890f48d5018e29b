#pragma once
// The rows of a whole-table read of one text field of a Shapefile, read
// from the .dbf by shapelib instead of feature by feature through OGR: a
// record's one field costs a copy, where OGR builds a whole feature. The
// values are those OGR gives: the same library trims the blanks and tells
// Null (an empty field) apart, deleted records are skipped, and the text
// is recoded from the encoding OGR reads the file in (its .cpg or language
// driver byte, or the ENCODING open option) with the same CPLRecode.
// Any other field of a row, and its shape, come from the whole feature read
// by ID (ColumnRows.h). Made and read by GdalCursor on the caller's thread.

#include <cstdint>
#include <memory>
#include <string>

#include "gdal/ColumnRows.h"

namespace corvane::gdal {

struct DbfRead;

class DbfColumnRows final : public ColumnRows {
public:
    // The rows of the text attribute at host index `fieldIndex`, less the
    // row `firstId` already handed out; nothing when the layer is no
    // Shapefile whose .dbf shapelib can open.
    static std::unique_ptr<DbfColumnRows> open(LayerLease& lease, std::shared_ptr<DataSource> source,
                                               std::shared_ptr<const LayerSchema> schema, std::int32_t fieldIndex,
                                               GIntBig firstId);

    DbfColumnRows(std::shared_ptr<DataSource> source, std::shared_ptr<const LayerSchema> schema,
                  std::int32_t fieldIndex, std::unique_ptr<DbfRead> read);
    ~DbfColumnRows() override;

private:
    bool readRecord(GIntBig& id, bool& isNull, std::string& text) override;

    std::unique_ptr<DbfRead> m_read;
    int m_next = 0;
};

} // namespace corvane::gdal
