#include "gdal/PgTableFacts.h"

#include "gdal/CplErrors.h"
#include "gdal/PgValueRuns.h"
#include "gdal/PgWhereClause.h"
#include "gdal/SqlResult.h"
#include "host/HostError.h"

namespace corvane::gdal {

namespace {

// What must read the same for a kept count to hold: the server's start, the
// table the name finds, and the transactions ended so far. Empty on a
// standby, whose snapshots leave the running transactions out of the text.
std::string stampOf(OGRLayer& layer)
{
    return "CASE WHEN pg_is_in_recovery() THEN '' ELSE coalesce(pg_postmaster_start_time()::text || ' ' || "
           "to_regclass(" + postgresText(postgresTableName(layer)) + ")::oid::text || ' ' || "
           "txid_current_snapshot()::text, '') END";
}

// The first row of a query's result; raises with the server's message.
OGRFeatureUniquePtr onlyRow(GDALDataset& dataset, const std::string& sql, const std::string& failure)
{
    ScopedCplErrors errors;
    SqlResult result(dataset, sql);
    if (result.layer() == nullptr) raiseGdalFailure(failure, errors.message());
    auto row = result.next();
    if (!row || errors.failed()) raiseGdalFailure(failure, errors.message());
    return row;
}

std::string textAt(OGRFeature& row, int index)
{
    return row.IsFieldSetAndNotNull(index) ? row.GetFieldAsString(index) : "";
}

} // namespace

void PgTableFacts::keep(std::int64_t rows, const std::string& stamp)
{
    const std::lock_guard lock(m_mutex);
    m_rows = rows;
    m_stamp = stamp;
    m_runsColumn.clear();
    m_runs.clear();
}

std::int64_t PgTableFacts::countWithRuns(GDALDataset& dataset, OGRLayer& layer, const std::string& column,
                                         const std::string& failure)
{
    // A column of far more values than a street list's is only counted.
    constexpr std::size_t kMostRunsKept = 100000;
    ScopedCplErrors errors;
    SqlResult groups(dataset, postgresRunsQuery(layer, column, ", (sum(count(*)) OVER ())::bigint, " + stampOf(layer)));
    if (groups.layer() == nullptr) raiseGdalFailure(failure, errors.message());
    std::vector<ValueRun> runs;
    std::int64_t rows = 0;
    std::int64_t total = 0;
    std::string stamp;
    bool keepRuns = true;
    for (auto group = groups.next(); group; group = groups.next()) {
        if (runs.empty()) {
            total = group->GetFieldAsInteger64(2);
            stamp = textAt(*group, 3);
        }
        if (runs.size() == kMostRunsKept) {
            keepRuns = false;
            break;
        }
        runs.push_back(runOfGroup(*group, rows));
        rows += runs.back().rows;
    }
    if (errors.failed()) raiseGdalFailure(failure, errors.message());
    keep(total, stamp);
    if (keepRuns && !stamp.empty()) {
        const std::lock_guard lock(m_mutex);
        m_runsColumn = column;
        m_runs = std::move(runs);
    }
    return total;
}

std::optional<std::vector<ValueRun>> PgTableFacts::keptRuns(GDALDataset& dataset, OGRLayer& layer,
                                                            const std::string& column, const std::string& failure)
{
    std::vector<ValueRun> runs;
    std::string stamp;
    {
        const std::lock_guard lock(m_mutex);
        m_groupedColumn = column;
        if (m_runsColumn != column || m_stamp.empty()) return std::nullopt;
        runs = m_runs;
        stamp = m_stamp;
    }
    auto now = onlyRow(dataset, "SELECT " + stampOf(layer), failure);
    if (textAt(*now, 0) != stamp) return std::nullopt;
    return runs;
}

std::int64_t PgTableFacts::rowCount(GDALDataset& dataset, OGRLayer& layer, const std::string& failure)
{
    std::optional<std::int64_t> kept;
    std::string keptStamp;
    std::string grouped;
    {
        const std::lock_guard lock(m_mutex);
        kept = m_rows;
        keptStamp = m_stamp;
        grouped = m_groupedColumn;
    }
    if (kept && !keptStamp.empty()) {
        auto now = onlyRow(dataset, "SELECT " + stampOf(layer), failure);
        if (textAt(*now, 0) == keptStamp) return *kept;
    }
    if (!grouped.empty()) {
        try {
            return countWithRuns(dataset, layer, grouped, failure);
        } catch (const host::HostError&) {
            // The column may be gone while the table is not: count alone.
            const std::lock_guard lock(m_mutex);
            m_groupedColumn.clear();
        }
    }
    auto counted = onlyRow(dataset, "SELECT count(*), " + stampOf(layer) + " FROM " + postgresTableName(layer), failure);
    const std::int64_t rows = counted->GetFieldAsInteger64(0);
    keep(rows, textAt(*counted, 1));
    return rows;
}

std::optional<Box> PgTableFacts::extent(GDALDataset& dataset, OGRLayer& layer, const std::string& failure)
{
    const std::string shape = postgresName(layer.GetGeometryColumn()) + "::geometry";
    auto facts = onlyRow(dataset,
                         "SELECT ST_XMin(e), ST_YMin(e), ST_XMax(e), ST_YMax(e), n, stamp FROM (SELECT ST_Extent(" +
                             shape + ") AS e, count(*) AS n, " + stampOf(layer) + " AS stamp FROM " +
                             postgresTableName(layer) + ") AS facts",
                         failure);
    keep(facts->GetFieldAsInteger64(4), textAt(*facts, 5));
    if (!facts->IsFieldSetAndNotNull(0)) return std::nullopt;  // no shapes at all
    return Box{facts->GetFieldAsDouble(0), facts->GetFieldAsDouble(1), facts->GetFieldAsDouble(2),
               facts->GetFieldAsDouble(3)};
}

} // namespace corvane::gdal
