#include "gdal/SqliteColumnRows.h"

#include <cstring>
#include <exception>
#include <limits>

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

// A batch is small enough to stay in the caches, large enough that handing
// it over costs nothing next to reading it. Three of them let the reader
// fill one while the caller reads another and a third waits.
constexpr std::size_t kBatchRows = 2048;
constexpr std::size_t kBatchTextBytes = 256 * 1024;
constexpr std::size_t kBatches = 3;
constexpr std::uint32_t kNullText = std::numeric_limits<std::uint32_t>::max();

// What the reader could not do, to be raised on the caller's thread.
struct ReadFailure {
    std::string message;
};

} // namespace

struct SqliteColumnRows::Batch {
    struct Row {
        GIntBig id;
        std::uint32_t begin;
        std::uint32_t size;  // kNullText for Null
    };
    std::vector<Row> rows;
    std::string texts;  // the rows' texts, one after the other

    void clear()
    {
        rows.clear();
        texts.clear();
    }
};

std::unique_ptr<SqliteColumnRows> SqliteColumnRows::open(LayerLease& lease, std::shared_ptr<DataSource> source,
                                                         std::shared_ptr<const LayerSchema> schema,
                                                         std::int32_t fieldIndex, GIntBig firstId)
{
    if (source->driverName() != "GPKG" || sqlite3_threadsafe() == 0) return nullptr;
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
    for (std::size_t i = 0; i < kBatches; ++i) {
        auto batch = std::make_unique<Batch>();
        batch->rows.reserve(kBatchRows);
        m_free.push_back(std::move(batch));
    }
}

SqliteColumnRows::~SqliteColumnRows()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_reader.joinable()) m_reader.join();
    sqlite3_finalize(m_statement);  // the reader's, if it stopped before the end
}

void SqliteColumnRows::read() noexcept
{
    std::string error;
    bool more = true;
    while (more) {
        std::unique_ptr<Batch> batch;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stop || !m_free.empty(); });
            if (m_stop) return;
            batch = std::move(m_free.back());
            m_free.pop_back();
        }
        batch->clear();
        try {
            more = fill(*batch);
        } catch (const ReadFailure& failure) {
            error = failure.message;
            more = false;
        } catch (const std::exception& failure) {
            error = std::string(failure.what()) + " reading " + layerName();
            more = false;
        }
        {
            const std::lock_guard lock(m_mutex);
            if (!batch->rows.empty()) m_full.push_back(std::move(batch));
            else m_free.push_back(std::move(batch));
        }
        m_changed.notify_all();
    }
    // At the end, or at an error: the statement's read of the file ends here.
    sqlite3_finalize(m_statement);
    m_statement = nullptr;
    {
        const std::lock_guard lock(m_mutex);
        m_error = std::move(error);
        m_readerDone = true;
    }
    m_changed.notify_all();
}

bool SqliteColumnRows::fill(Batch& batch)
{
    while (batch.rows.size() < kBatchRows && batch.texts.size() < kBatchTextBytes) {
        const int step = sqlite3_step(m_statement);
        if (step == SQLITE_DONE) return false;
        if (step != SQLITE_ROW) {
            throw ReadFailure{"Cannot read " + layerName() + ": " + sqlite3_errmsg(sqlite3_db_handle(m_statement))};
        }
        const GIntBig id = sqlite3_column_int64(m_statement, 0);
        if (id == m_firstId) continue;
        if (sqlite3_column_type(m_statement, 1) == SQLITE_NULL) {
            batch.rows.push_back({id, 0, kNullText});
            continue;
        }
        // As OGR takes it: a C string (a stored number reads as its text).
        const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, 1));
        if (value == nullptr) throw ReadFailure{"Out of memory reading " + layerName()};
        const std::size_t size = std::strlen(value);
        batch.rows.push_back({id, static_cast<std::uint32_t>(batch.texts.size()), static_cast<std::uint32_t>(size)});
        batch.texts.append(value, size);
    }
    return true;
}

bool SqliteColumnRows::takeBatch()
{
    std::unique_lock lock(m_mutex);
    if (m_current) {
        m_free.push_back(std::move(m_current));
        m_changed.notify_all();
    }
    m_changed.wait(lock, [this] { return m_readerDone || !m_full.empty(); });
    if (!m_full.empty()) {
        m_current = std::move(m_full.front());
        m_full.pop_front();
        m_nextInBatch = 0;
        return true;
    }
    if (!m_error.empty()) {
        const std::string message = std::move(m_error);
        m_error.clear();
        lock.unlock();
        host::raiseError(host::errors::kHostCallFailed, message);
    }
    return false;
}

bool SqliteColumnRows::readRecord(GIntBig& id, bool& isNull, std::string& text)
{
    // Started with the first row asked for, not when made: the cursor ends
    // OGR's own read on the connection in between.
    if (!m_reader.joinable()) m_reader = std::thread([this] { read(); });
    if ((!m_current || m_nextInBatch == m_current->rows.size()) && !takeBatch()) return false;
    const Batch::Row& row = m_current->rows[m_nextInBatch++];
    id = row.id;
    isNull = row.size == kNullText;
    if (!isNull) text.assign(m_current->texts, row.begin, row.size);
    return true;
}

} // namespace corvane::gdal
