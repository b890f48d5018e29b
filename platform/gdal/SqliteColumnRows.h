#pragma once
// The rows of a whole-table read of one text field of a GeoPackage layer,
// read with one SQLite statement over the object ID and that column on
// GDAL's own database connection, instead of feature by feature through
// OGR. GeoPackage text is UTF-8 and is handed on as OGR hands it on (up to
// a NUL byte, Null apart). Used where no index gives the column's runs
// (ValueRuns.h). Any other field of a row, and its shape, come from the
// whole feature read by ID (ColumnRows.h), through a lease of its own.
//
// SQLite's walk over the table runs on a reader thread of this object,
// beside the caller's work on the rows before: it hands over batches of
// rows through a few buffers, so memory stays small whatever the table's
// size. The reader starts with the first row asked for and is joined on
// destruction; meanwhile no other thread uses the connection: the cursor's
// lease is exclusive, and the cursor reads only through this object then. Made and read by
// GdalCursor on the caller's thread; the lease must outlive it.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "gdal/ColumnRows.h"

struct sqlite3_stmt;

namespace corvane::gdal {

class SqliteColumnRows final : public ColumnRows {
public:
    // The rows of the text attribute at host index `fieldIndex`, less the
    // row `firstId` already handed out; nothing when the layer is no
    // GeoPackage table whose connection GDAL hands out, or SQLite was
    // built for one thread only.
    static std::unique_ptr<SqliteColumnRows> open(LayerLease& lease, std::shared_ptr<DataSource> source,
                                                  std::shared_ptr<const LayerSchema> schema, std::int32_t fieldIndex,
                                                  GIntBig firstId);

    SqliteColumnRows(std::shared_ptr<DataSource> source, std::shared_ptr<const LayerSchema> schema,
                     std::int32_t fieldIndex, sqlite3_stmt* statement, GIntBig firstId);
    // Stops the reader where it is and waits for it.
    ~SqliteColumnRows() override;

private:
    struct Batch;

    bool readRecord(GIntBig& id, bool& isNull, std::string& text) override;
    // The reader thread's loop; never throws.
    void read() noexcept;
    // Steps the statement into `batch` until it is full or the rows end.
    // False at the end; raises when SQLite reports an error.
    bool fill(Batch& batch);
    // The caller's next batch; empty once the reader has handed over all.
    bool takeBatch();

    sqlite3_stmt* m_statement;  // the reader's until it is joined; finalized at its end
    GIntBig m_firstId;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::unique_ptr<Batch>> m_free;  // for the reader to fill
    std::deque<std::unique_ptr<Batch>> m_full;   // oldest first, for the caller
    bool m_readerDone = false;
    bool m_stop = false;
    std::string m_error;  // what stopped the reader, raised after the rows before it

    std::unique_ptr<Batch> m_current;  // the caller's
    std::size_t m_nextInBatch = 0;
    std::thread m_reader;  // started by the first readRecord
};

} // namespace corvane::gdal
