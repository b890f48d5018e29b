#pragma once
// The rows of a whole-table read of one text column answered by its groups
// of equal values (ValueGroups.h). A row holds only its group and its place
// in it, so handing one out reads nothing and builds nothing: a few row
// objects serve the whole read, each owned by its caller alone while it
// holds it (RowRecycler.h), and a group's value is converted once for all
// its rows. A row's object ID comes from its group's ID list, read when
// a row of the group is first asked for one; any other field, and its
// shape, from the whole feature read by that ID. UI thread only.
//
//   if (auto rows = GroupedRows::start(source, hostIndex, layerIndex, first))
//       while (host::Ref<host::IFeature> row = rows->next()) { ... row->Value(hostIndex) ... }

#include <cstdint>
#include <memory>

#include <qgsfeature.h>

#include "host/Tables.h"
#include "qgis/QgisTable.h"
#include "qgis/RowRecycler.h"
#include "qgis/ValueGroups.h"

namespace corvane::qgis {

struct GroupedRead;
struct RowGroup;
class GroupedRow;

class GroupedRows {
public:
    // The rows of the layer field `layerIndex` (host index `hostIndex`),
    // less `first`, the row handed out before the groups were read. Nothing
    // when the layer's database cannot group the column.
    static std::unique_ptr<GroupedRows> start(std::shared_ptr<const QgisLayerSource> source, std::int32_t hostIndex,
                                              int layerIndex, const QgsFeature& first);

    GroupedRows(std::shared_ptr<GroupedRead> read, std::unique_ptr<ValueGroups> groups);
    ~GroupedRows();
    GroupedRows(const GroupedRows&) = delete;
    GroupedRows& operator=(const GroupedRows&) = delete;

    // The next row, or empty after the last.
    host::Ref<host::IFeature> next();

private:
    bool nextGroup();

    std::shared_ptr<GroupedRead> m_read;
    std::unique_ptr<ValueGroups> m_groups;
    std::shared_ptr<RowGroup> m_group;
    std::int64_t m_place = 0;
    RowRecycler<GroupedRow>::Holder m_recycler;
};

} // namespace corvane::qgis
