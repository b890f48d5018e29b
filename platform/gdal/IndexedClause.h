#pragma once
// Answers `field = 'text' [AND ...]` clauses from a value index (see
// ValueIndex.h) when one was built for a field of the clause: the index
// names the few rows that can match, and only those are read, by ID. The
// rest of the clause is still checked on each fetched row by the same
// evaluator that a scan would use: the database's own SQL for drivers that
// hand the clause on (restricted to the IDs), OGR's SQL otherwise. Called by
// GdalCursor when it is made, on the caller's thread.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <ogr_feature.h>
#include <ogrsf_frmts.h>

#include "gdal/DataSource.h"
#include "gdal/LayerSchema.h"

namespace corvane::gdal {

// The IDs (ascending) of the only rows that can meet `clause`, from the
// narrowest value index among its text equalities; nothing when the clause
// has none with an index.
std::optional<std::vector<std::int64_t>> candidateIds(DataSource& source, const LayerSchema& schema, OGRLayer& layer,
                                                      const std::string& clause);

// The database's filter restricted to the candidates; its rows are the
// clause's rows. `translated` is the clause in the database's dialect.
std::string restrictToIds(OGRLayer& layer, const std::vector<std::int64_t>& ids, const std::string& translated);

// The clause as OGR's SQL would check it on a row read by ID. Raises
// HostError when OGR rejects it.
std::unique_ptr<OGRFeatureQuery> compileRowCheck(OGRLayer& layer, const LayerSchema& schema,
                                                 const std::string& translated, const std::string& clause);

// Fewer candidates than this go to the database as an ID list; more are
// read by a scan, which is then about as quick.
constexpr std::size_t kMaxIdsInFilter = 20000;

} // namespace corvane::gdal
