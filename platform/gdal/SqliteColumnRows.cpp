#include "gdal/SqliteColumnRows.h"

#include <sqlite3.h>

#include "host/HostError.h"

namespace corvane::gdal {

namespace {

std::string quotedName(const std::string& name)
{
    std::string result = "\"";
    for (const char c : name) {
        result += c;
        if (c == '"') result += c;
    }
    return result + '"';
}

} // namespace

std::unique_ptr<SqliteColumnRows> SqliteColumnRows::open(LayerLease& lease, std::shared_ptr<DataSource> source,
                                                         std::shared_ptr<const LayerSchema> schema,
                                                         std::int32_t fieldIndex, GIntBig firstId)
{
    if (source->driverName() != "GPKG") return nullptr;
    // GDAL's connection, already open read-only on this file (and its -wal),
    // sees exactly what OGR's own reads see.
    auto* database = static_cast<sqlite3*>(lease.dataset().GetInternalHandle("SQLITE_HANDLE"));
    OGRLayer& layer = lease.layer();
    const std::string fid = layer.GetFIDColumn();
    if (database == nullptr || fid.empty()) return nullptr;
    const std::string column = layer.GetLayerDefn()->GetFieldDefn(schema->field(fieldIndex).ogrIndex)->GetNameRef();
    // In ID order, as OGR reads the table.
    const std::string sql = "SELECT " + quotedName(fid) + ", " + quotedName(column) + " FROM " +
                            quotedName(layer.GetName()) + " ORDER BY " + quotedName(fid);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(database, sql.c_str(), static_cast<int>(sql.size() + 1), &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;  // a view or table OGR reads its own way: OGR reads it
    }
    return std::make_unique<SqliteColumnRows>(std::move(source), std::move(schema), fieldIndex, statement, firstId);
}

SqliteColumnRows::SqliteColumnRows(std::shared_ptr<DataSource> source, std::shared_ptr<const LayerSchema> schema,
                                   std::int32_t fieldIndex, sqlite3_stmt* statement, GIntBig firstId)
    : ColumnRows(std::move(source), std::move(schema), fieldIndex), m_statement(statement), m_firstId(firstId)
{
}

SqliteColumnRows::~SqliteColumnRows() { sqlite3_finalize(m_statement); }

bool SqliteColumnRows::readRecord(GIntBig& id, bool& isNull, std::string& text)
{
    while (m_statement != nullptr) {
        const int step = sqlite3_step(m_statement);
        if (step == SQLITE_ROW) {
            id = sqlite3_column_int64(m_statement, 0);
            if (id == m_firstId) continue;
            isNull = sqlite3_column_type(m_statement, 1) == SQLITE_NULL;
            // As OGR takes it: a C string (a stored number reads as its text).
            if (isNull) return true;
            const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, 1));
            if (value == nullptr) host::raiseError(host::errors::kHostCallFailed, "Out of memory reading " + layerName());
            text.assign(value);
            return true;
        }
        const std::string message = step == SQLITE_DONE ? std::string() : sqlite3_errmsg(sqlite3_db_handle(m_statement));
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        if (!message.empty()) host::raiseError(host::errors::kHostCallFailed, "Cannot read " + layerName() + ": " + message);
    }
    return false;
}

} // namespace corvane::gdal
