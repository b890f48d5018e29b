#pragma once
// A whole-table read of one text column answered from an index on it.
// SQLite keeps such an index as (value, row ID) pairs in order, so a read of
// that column alone already meets the rows grouped by value. Grouping them
// in the database instead hands back each value once with the number of
// rows holding it; the cursor repeats the value that many times without
// reading again. Object IDs are looked up, a run at a time, only when a
// caller asks a row for one. A PostgreSQL server groups the column itself,
// index or not (PgValueRuns.h).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "host/Variant.h"

namespace corvane::gdal {

struct ValueRun {
    host::Variant value;       // the text, or Null
    std::int64_t start = 0;    // rows before this run, in index order
    std::int64_t rows = 0;     // rows holding the value
};

class GroupedRows;  // the open grouping query
class PgTableFacts;

// The runs of one column, read as they are asked for.
class ValueRunReader {
public:
    // Nothing when no whole (not partial) index with binary collation
    // starts with `column`, since grouping would then sort the table.
    // On PostgreSQL the runs come from `facts` when it kept them and the
    // server has not changed since. Raises HostError when the grouping
    // query fails.
    static std::unique_ptr<ValueRunReader> open(GDALDataset& dataset, OGRLayer& layer, const std::string& column,
                                                PgTableFacts* facts = nullptr);

    explicit ValueRunReader(std::unique_ptr<GroupedRows> rows);
    explicit ValueRunReader(std::vector<ValueRun> kept);
    ~ValueRunReader();
    ValueRunReader(const ValueRunReader&) = delete;
    ValueRunReader& operator=(const ValueRunReader&) = delete;

    // The next run in index order, or nothing after the last. Raises
    // HostError when reading fails.
    std::optional<ValueRun> next();

private:
    std::unique_ptr<GroupedRows> m_rows;  // null when reading kept runs
    std::vector<ValueRun> m_kept;
    std::size_t m_nextKept = 0;
    std::int64_t m_start = 0;
};

// The run a grouping query's row describes (value, then row count), the
// first of its rows being `start`.
ValueRun runOfGroup(OGRFeature& group, std::int64_t start);

// The object IDs of a run's rows, in ID order.
std::vector<GIntBig> objectIdsOfRun(GDALDataset& dataset, OGRLayer& layer, const std::string& column,
                                    const ValueRun& run);

} // namespace corvane::gdal
