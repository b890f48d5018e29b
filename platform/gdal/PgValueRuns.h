#pragma once
// The value runs of ValueRuns.h asked of a PostgreSQL server. The server
// groups the column itself, hashing or walking an index as its planner
// sees fit, so only one row per value crosses the connection; a run's
// object IDs come back through an equality on the column, which an index
// on it answers. The order is the column's bytes (COLLATE "C"), which is
// the same on every server whatever its locale, with Null last.
//
//   if (isPostgresDataset(dataset))
//       sql = postgresRunsQuery(layer, "stname");   // value, count per group
//   ids = postgresRunIdsQuery(layer, "stname", run) // the run's primary keys

#include <string>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "gdal/ValueRuns.h"

namespace corvane::gdal {

[[nodiscard]] bool isPostgresDataset(GDALDataset& dataset);

// The layer's table as the server names it: "schema"."table" when GDAL's
// layer name carries a schema, "table" alone when the table is found
// through the search path.
std::string postgresTableName(OGRLayer& layer);

// Each value of `column` once with its row count, in run order, followed
// by `moreColumns` (", expression, ..." of the grouped rows) when given.
std::string postgresRunsQuery(OGRLayer& layer, const std::string& column, const std::string& moreColumns = {});

// The primary keys of the rows holding the run's value, in key order.
std::string postgresRunIdsQuery(OGRLayer& layer, const std::string& column, const ValueRun& run);

} // namespace corvane::gdal
