#pragma once
// The rows of a whole-table read answered by value runs (see ValueRuns.h).
// A row holds only its run and its place in it, so handing one out costs no
// read. Its object ID comes from its run's ID list, read when first asked;
// any other field, and its shape, from the whole feature read by that ID.

#include <array>
#include <cstdint>
#include <memory>

#include "gdal/DataSource.h"
#include "gdal/GdalRow.h"
#include "host/Tables.h"

namespace corvane::gdal {

struct RunRead;
class RunRow;

class ValueRunRows {
public:
    // The runs of the attribute at host index `fieldIndex` (OGR index
    // `ogrIndex`), less the row `firstId` holding `firstValue` that was
    // already handed out. Nothing when the layer's database cannot answer
    // this way or does not hold that row.
    static std::unique_ptr<ValueRunRows> start(LayerLease& lease, std::shared_ptr<DataSource> source,
                                               std::shared_ptr<const LayerSchema> schema, std::int32_t fieldIndex,
                                               const host::Variant& firstValue, GIntBig firstId);

    explicit ValueRunRows(std::shared_ptr<RunRead> read);
    ~ValueRunRows();
    ValueRunRows(const ValueRunRows&) = delete;
    ValueRunRows& operator=(const ValueRunRows&) = delete;

    // The next row, or empty after the last.
    host::Ref<host::IFeature> next();

private:
    std::shared_ptr<RunRow> freeRow();

    std::shared_ptr<RunRead> m_read;
    std::size_t m_run = 0;
    std::int64_t m_place = 0;
    // Callers hold at most the row before the one they ask for, so two rows
    // taken in turn are enough to never build one per row.
    std::array<std::shared_ptr<RunRow>, 2> m_rows;
    std::size_t m_lastBuilt = 0;
};

} // namespace corvane::gdal
