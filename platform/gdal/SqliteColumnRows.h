#pragma once
// The rows of a whole-table read of one text field of a GeoPackage layer,
// read with one SQLite statement over the object ID and that column on
// GDAL's own database connection, instead of feature by feature through
// OGR. GeoPackage text is UTF-8 and is handed on as OGR hands it on (up to
// a NUL byte, Null apart). Used where no index gives the column's runs
// (ValueRuns.h). Any other field of a row, and its shape, come from the
// whole feature read by ID (ColumnRows.h). Made and read by GdalCursor on
// the caller's thread; the lease must outlive it.

#include <cstdint>
#include <memory>
#include <string>

#include "gdal/ColumnRows.h"

struct sqlite3_stmt;

namespace corvane::gdal {

class SqliteColumnRows final : public ColumnRows {
public:
    // The rows of the text attribute at host index `fieldIndex`, less the
    // row `firstId` already handed out; nothing when the layer is no
    // GeoPackage table whose connection GDAL hands out.
    static std::unique_ptr<SqliteColumnRows> open(LayerLease& lease, std::shared_ptr<DataSource> source,
                                                  std::shared_ptr<const LayerSchema> schema, std::int32_t fieldIndex,
                                                  GIntBig firstId);

    SqliteColumnRows(std::shared_ptr<DataSource> source, std::shared_ptr<const LayerSchema> schema,
                     std::int32_t fieldIndex, sqlite3_stmt* statement, GIntBig firstId);
    ~SqliteColumnRows() override;

private:
    bool readRecord(GIntBig& id, bool& isNull, std::string& text) override;

    sqlite3_stmt* m_statement;  // finalized at the end or on destruction
    GIntBig m_firstId;
};

} // namespace corvane::gdal
