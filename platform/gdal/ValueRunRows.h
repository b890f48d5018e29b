#pragma once
// The rows of a whole-table read answered by value runs (see ValueRuns.h).
// A row holds only its run and its place in it, so handing one out costs no
// read. Its object ID comes from its run's ID list, read when first asked;
// any other field, and its shape, from the whole feature read by that ID.
// Runs are read as the rows reach them, and a run is kept only while a row
// of it is.

#include <array>
#include <cstdint>
#include <memory>

#include "gdal/DataSource.h"
#include "gdal/GdalRow.h"
#include "gdal/ValueRuns.h"
#include "host/Tables.h"

namespace corvane::gdal {

struct RunRead;
struct Run;
class RunRow;

class ValueRunRows {
public:
    // The rows of the attribute at host index `fieldIndex`, less the row
    // `firstId` holding `firstValue` that was already handed out. Nothing
    // when the layer's database cannot answer this way. The lease must
    // outlive the result.
    static std::unique_ptr<ValueRunRows> start(LayerLease& lease, std::shared_ptr<DataSource> source,
                                               std::shared_ptr<const LayerSchema> schema, std::int32_t fieldIndex,
                                               const host::Variant& firstValue, GIntBig firstId,
                                               PgTableFacts* facts = nullptr);

    ValueRunRows(std::shared_ptr<RunRead> read, std::unique_ptr<ValueRunReader> runs);
    ~ValueRunRows();
    ValueRunRows(const ValueRunRows&) = delete;
    ValueRunRows& operator=(const ValueRunRows&) = delete;

    // The next row, or empty after the last.
    host::Ref<host::IFeature> next();

private:
    std::shared_ptr<RunRow> freeRow();

    std::shared_ptr<RunRead> m_read;
    std::unique_ptr<ValueRunReader> m_runs;
    std::shared_ptr<Run> m_run;
    std::int64_t m_place = 0;
    // Callers hold at most the row before the one they ask for, so two rows
    // taken in turn are enough to never build one per row.
    std::array<std::shared_ptr<RunRow>, 2> m_rows;
    std::size_t m_lastBuilt = 0;
};

} // namespace corvane::gdal
