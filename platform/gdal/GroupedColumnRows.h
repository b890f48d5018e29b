#pragma once
// The rows of a whole-table read of one text column of a GeoPackage that
// has no index on it. SQLite groups the column itself (sorting it in a
// temporary b-tree, still far cheaper than a million rows through OGR) and
// hands back each value once with the IDs of its rows; the cursor repeats
// the value for each ID without reading again. The IDs also make the
// column's value index (ValueIndex.h), so later picks on the column read
// only their rows. Made and read by GdalCursor on the caller's thread.
//
//   auto rows = GroupedColumnRows::open(lease, source, schema, field, firstId);
//   source->keepValueIndex(layer, column, rows->valueIndex(), lease.generation());
//   while (auto row = rows->next()) use(row->Value(field));

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gdal/DataSource.h"
#include "gdal/GdalRow.h"
#include "gdal/ValueIndex.h"
#include "host/Tables.h"

namespace corvane::gdal {

struct GroupedRead;
class GroupedRow;

class GroupedColumnRows {
public:
    // The rows of the text attribute at host index `fieldIndex`, less the
    // row `firstId` already handed out; nothing when the layer is no
    // GeoPackage table with an integer ID column. Raises HostError when
    // the grouping query fails.
    static std::unique_ptr<GroupedColumnRows> open(LayerLease& lease, std::shared_ptr<DataSource> source,
                                                   std::shared_ptr<const LayerSchema> schema, std::int32_t fieldIndex,
                                                   GIntBig firstId);

    explicit GroupedColumnRows(std::shared_ptr<GroupedRead> read);
    ~GroupedColumnRows();
    GroupedColumnRows(const GroupedColumnRows&) = delete;
    GroupedColumnRows& operator=(const GroupedColumnRows&) = delete;

    // The next row, or empty after the last.
    host::Ref<host::IFeature> next();
    // The column's value index; empty when an ID did not fit.
    [[nodiscard]] std::shared_ptr<const ValueIndex> valueIndex() const;

private:
    std::shared_ptr<GroupedRow> freeRow();

    std::shared_ptr<GroupedRead> m_read;
    std::size_t m_group = 0;
    std::size_t m_place = 0;
    std::vector<std::shared_ptr<GroupedRow>> m_rows;
};

} // namespace corvane::gdal
