#include "gdal/PgTableFacts.h"

#include "gdal/CplErrors.h"
#include "gdal/PgValueRuns.h"
#include "gdal/PgWhereClause.h"
#include "gdal/SqlResult.h"

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
}

std::int64_t PgTableFacts::rowCount(GDALDataset& dataset, OGRLayer& layer, const std::string& failure)
{
    std::optional<std::int64_t> kept;
    std::string keptStamp;
    {
        const std::lock_guard lock(m_mutex);
        kept = m_rows;
        keptStamp = m_stamp;
    }
    if (kept && !keptStamp.empty()) {
        auto now = onlyRow(dataset, "SELECT " + stampOf(layer), failure);
        if (textAt(*now, 0) == keptStamp) return *kept;
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
