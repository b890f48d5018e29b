#include "gdal/PgValueRuns.h"

#include <cstring>

#include "gdal/PgWhereClause.h"

namespace corvane::gdal {

namespace {

std::string runOrder(const std::string& column) { return postgresName(column) + " COLLATE \"C\""; }

} // namespace

bool isPostgresDataset(GDALDataset& dataset)
{
    return dataset.GetDriver() != nullptr && std::strcmp(dataset.GetDriver()->GetDescription(), "PostgreSQL") == 0;
}

std::string postgresTableName(OGRLayer& layer)
{
    // GDAL names a table outside the public schema "schema.table"; a dot in
    // a name of the public schema itself would read the same, and is rare
    // enough to be left to the server's error.
    const std::string name = layer.GetName();
    const auto dot = name.find('.');
    if (dot == std::string::npos) return postgresName(name);
    return postgresName(name.substr(0, dot)) + "." + postgresName(name.substr(dot + 1));
}

std::string postgresRunsQuery(OGRLayer& layer, const std::string& column, const std::string& moreColumns)
{
    return "SELECT " + postgresName(column) + ", COUNT(*)" + moreColumns + " FROM " + postgresTableName(layer) + " GROUP BY " +
           postgresName(column) + " ORDER BY " + runOrder(column);
}

std::string postgresRunIdsQuery(OGRLayer& layer, const std::string& column, const ValueRun& run)
{
    const std::string key = postgresName(layer.GetFIDColumn());
    const std::string match = run.value.isNull() ? " IS NULL" : " = " + postgresText(run.value.toText());
    return "SELECT " + key + " FROM " + postgresTableName(layer) + " WHERE " + postgresName(column) + match +
           " ORDER BY " + key;
}

} // namespace corvane::gdal
