#pragma once
// The whole-table row count and shape extent of a PostgreSQL table, exact,
// and kept for as long as nothing has been committed on the server since.
// A server keeps no row count, so every exact count walks the table or an
// index of it: as much work as grouping a column. The server's snapshot says
// whether any transaction has ended since the last count: when it reads the
// same (and the server was not restarted, and is not a standby, whose
// snapshots do not list running transactions), the rows are the same rows.
// The extent is read with the rows counted in the same scan, which costs it
// nothing. Once a column of the table was read grouped (the street list), a
// count that must go to the server groups that column again and adds the
// runs up: one scan for the count and the next grouped read, whose runs are
// kept with the count. LayerTable and its cursors ask, from any thread; one
// mutex guards what is kept.
//
//   facts.rowCount(lease.dataset(), lease.layer(), "Cannot count ...");  // a scan, then a round trip
//   facts.extent(lease.dataset(), lease.layer(), "Cannot read ...");     // nullopt: no shapes at all
//
// Both raise HostError, `failure` followed by the server's message, when a
// query fails.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "gdal/GdalGeometry.h"
#include "gdal/ValueRuns.h"

namespace corvane::gdal {

class PgTableFacts {
public:
    std::int64_t rowCount(GDALDataset& dataset, OGRLayer& layer, const std::string& failure);
    std::optional<Box> extent(GDALDataset& dataset, OGRLayer& layer, const std::string& failure);
    // The runs of `column` as the last count read them, when nothing has
    // changed on the server since; nullopt sends the caller to the server.
    // Remembers `column` for the counts that follow.
    std::optional<std::vector<ValueRun>> keptRuns(GDALDataset& dataset, OGRLayer& layer, const std::string& column,
                                                  const std::string& failure);

private:
    std::int64_t countWithRuns(GDALDataset& dataset, OGRLayer& layer, const std::string& column,
                               const std::string& failure);
    void keep(std::int64_t rows, const std::string& stamp);

    std::mutex m_mutex;
    std::optional<std::int64_t> m_rows;
    std::string m_stamp;  // empty: nothing kept
    std::string m_groupedColumn;  // read grouped last
    std::string m_runsColumn;     // whose runs are kept, with m_stamp
    std::vector<ValueRun> m_runs;
};

} // namespace corvane::gdal
