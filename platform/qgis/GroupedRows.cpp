#include "qgis/GroupedRows.h"

#include <optional>
#include <vector>

#include <qgsvectorlayer.h>

#include "host/HostError.h"
#include "qgis/QgisGeometry.h"

namespace corvane::qgis {

namespace {

bool sameValue(const QVariant& a, const QVariant& b)
{
    return a.isNull() == b.isNull() && (a.isNull() || a == b);
}

} // namespace

// What the rows of one read share.
struct GroupedRead {
    std::shared_ptr<const QgisLayerSource> source;
    std::int32_t hostIndex = -1;
    int layerIndex = -1;
    QVariant firstValue;  // of the row handed out before the groups were read
    QgsFeatureId firstId = FID_NULL;
    bool firstFound = false;
};

struct RowGroup {
    QVariant value;
    host::Variant hostValue;  // converted once for all the group's rows
    std::int64_t rows = 0;    // rows of the group to hand out
    bool holdsFirst = false;
    std::optional<std::vector<QgsFeatureId>> ids;

    QgsFeatureId idAt(const GroupedRead& read, std::int64_t place);
};

QgsFeatureId RowGroup::idAt(const GroupedRead& read, std::int64_t place)
{
    if (!ids) {
        ids = idsHolding(read.source->layer(), read.layerIndex, value, holdsFirst ? read.firstId : FID_NULL);
        if (static_cast<std::int64_t>(ids->size()) != rows) {
            host::raiseError(host::errors::kHostCallFailed,
                             "The rows of " + read.source->schema().layerName + " changed while they were read");
        }
    }
    return (*ids)[static_cast<std::size_t>(place)];
}

class GroupedRow final : public host::IFeature {
public:
    explicit GroupedRow(std::shared_ptr<const GroupedRead> read) : m_read(std::move(read)), m_hostIndex(m_read->hostIndex)
    {
    }

    void reset(const std::shared_ptr<RowGroup>& group, std::int64_t place)
    {
        if (m_group != group) m_group = group;
        m_place = place;
        m_whole.reset();
    }

    std::int32_t OID() override { return hostObjectId(id()); }

    host::Variant Value(std::int32_t index) override
    {
        if (index == m_hostIndex) return m_group->hostValue;
        const QgisFieldInfo& field = m_read->source->schema().field(index);
        switch (field.kind) {
        case QgisFieldInfo::Kind::ObjectId: return host::Variant(static_cast<std::int64_t>(id()));
        case QgisFieldInfo::Kind::Geometry:
            host::raiseError(host::errors::kTypeMismatch, "Type mismatch: " + field.name + " holds shapes, not values");
        case QgisFieldInfo::Kind::Attribute: break;
        }
        return attributeValue(whole().attribute(field.layerIndex));
    }

    host::Ref<host::IGeometry> Shape() override
    {
        const QgisLayerSource& source = *m_read->source;
        if (!source.schema().hasGeometry)
            host::raiseError(host::errors::kHostCallFailed, source.schema().layerName + " has no shapes");
        return host::makeRef<QgisGeometry>(whole().geometry(), source.layer().crs(), &source.layer());
    }

private:
    QgsFeatureId id() { return m_group->idAt(*m_read, m_place); }

    const QgsFeature& whole()
    {
        if (!m_whole) {
            const QgisLayerSource& source = *m_read->source;
            const QgsFeatureId wanted = id();
            QgsFeature feature;
            if (!source.layer().getFeatures(QgsFeatureRequest(wanted)).nextFeature(feature)) {
                host::raiseError(host::errors::kHostCallFailed, "Feature " + std::to_string(wanted) + " of " +
                                                                    source.schema().layerName + " is gone");
            }
            m_whole = std::move(feature);
        }
        return *m_whole;
    }

    std::shared_ptr<const GroupedRead> m_read;
    std::int32_t m_hostIndex;  // the grouped column's
    std::shared_ptr<RowGroup> m_group;
    std::int64_t m_place = 0;
    std::optional<QgsFeature> m_whole;
};

std::unique_ptr<GroupedRows> GroupedRows::start(std::shared_ptr<const QgisLayerSource> source, std::int32_t hostIndex,
                                                int layerIndex, const QgsFeature& first)
{
    auto groups = ValueGroups::open(source->layer(), layerIndex);
    if (!groups) return nullptr;
    auto read = std::make_shared<GroupedRead>();
    read->source = std::move(source);
    read->hostIndex = hostIndex;
    read->layerIndex = layerIndex;
    read->firstValue = first.attribute(layerIndex);
    read->firstId = first.id();
    return std::make_unique<GroupedRows>(std::move(read), std::move(groups));
}

GroupedRows::GroupedRows(std::shared_ptr<GroupedRead> read, std::unique_ptr<ValueGroups> groups)
    : m_read(std::move(read)), m_groups(std::move(groups)), m_recycler(RowRecycler<GroupedRow>::Holder::make())
{
}

GroupedRows::~GroupedRows() = default;

bool GroupedRows::nextGroup()
{
    if (!m_groups) return false;
    std::optional<ValueGroup> found = m_groups->next();
    if (!found) {
        m_groups.reset();
        m_group.reset();
        return false;
    }
    auto group = std::make_shared<RowGroup>();
    group->rows = found->rows;
    // The row handed out before is the first of its value met here.
    if (!m_read->firstFound && group->rows > 0 && sameValue(found->value, m_read->firstValue)) {
        m_read->firstFound = true;
        group->holdsFirst = true;
        --group->rows;
    }
    group->hostValue = attributeValue(found->value);
    group->value = std::move(found->value);
    m_group = std::move(group);
    m_place = 0;
    return true;
}

host::Ref<host::IFeature> GroupedRows::next()
{
    while (!m_group || m_place >= m_group->rows) {
        if (!nextGroup()) return {};
    }
    GroupedRow* row = m_recycler->take();
    if (row == nullptr) row = new GroupedRow(m_read);
    row->reset(m_group, m_place++);
    return host::Ref<host::IFeature>(m_recycler->own(row));
}

} // namespace corvane::qgis
