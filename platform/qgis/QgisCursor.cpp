#include "qgis/QgisCursor.h"

#include <algorithm>
#include <limits>

#include <qgsvectorlayer.h>

#include "host/HostError.h"
#include "qgis/QgisGeometry.h"
#include "qgis/WhereExpression.h"

namespace corvane::qgis {

QgisRow::QgisRow(std::shared_ptr<const QgisLayerSource> source, QgsFeature feature,
                 std::shared_ptr<const QgsAttributeList> subset, std::shared_ptr<FieldsAsked> asked)
    : m_source(std::move(source)), m_feature(std::move(feature)), m_subset(std::move(subset)), m_asked(std::move(asked))
{
}

void QgisRow::belongsTo(const std::shared_ptr<GroupRows>& group, std::size_t position)
{
    if (m_group != group) m_group = group;
    m_position = position;
}

void QgisRow::reuse(QgsFeature feature, const std::shared_ptr<const QgsAttributeList>& subset)
{
    m_feature = std::move(feature);
    if (m_subset != subset) m_subset = subset;
    m_position = 0;
}

void QgisRow::resolveId()
{
    if (!m_group || m_feature.id() != FID_NULL) return;
    if (!m_group->ids) m_group->ids = idsHolding(m_source->layer(), m_group->fieldIndex, m_group->value, m_group->except);
    if (m_position >= m_group->ids->size())
        host::raiseError(host::errors::kHostCallFailed, "A row of " + m_source->schema().layerName + " is gone");
    m_feature.setId((*m_group->ids)[m_position]);
}

std::int32_t QgisRow::OID()
{
    resolveId();
    const QgsFeatureId id = m_feature.id();
    if (id < std::numeric_limits<std::int32_t>::min() || id > std::numeric_limits<std::int32_t>::max())
        host::raiseError(6, "Overflow");
    return static_cast<std::int32_t>(id);
}

host::Variant QgisRow::Value(std::int32_t index)
{
    const QgisFieldInfo& field = m_source->schema().field(index);
    switch (field.kind) {
    case QgisFieldInfo::Kind::ObjectId: resolveId(); return host::Variant(static_cast<std::int64_t>(m_feature.id()));
    case QgisFieldInfo::Kind::Geometry:
        host::raiseError(host::errors::kTypeMismatch, "Type mismatch: " + field.name + " holds shapes, not values");
    case QgisFieldInfo::Kind::Attribute: break;
    }
    if (m_group && field.layerIndex == m_group->fieldIndex) return m_group->hostValue;
    if (m_asked) m_asked->layerIndexes.insert(field.layerIndex);
    if (m_subset && !m_subset->contains(field.layerIndex)) {
        // Read narrower than this caller needs: fetch the whole row once.
        resolveId();
        QgsFeatureRequest request(m_feature.id());
        request.setFlags(QgsFeatureRequest::NoGeometry);
        QgsFeature whole;
        if (!m_source->layer().getFeatures(request).nextFeature(whole))
            host::raiseError(host::errors::kHostCallFailed, "Feature " + std::to_string(m_feature.id()) +
                                                                " of " + m_source->schema().layerName + " is gone");
        whole.setGeometry(m_feature.geometry());
        m_feature = whole;
        m_subset.reset();
    }
    return attributeValue(m_feature.attribute(field.layerIndex));
}

host::Ref<host::IGeometry> QgisRow::Shape()
{
    if (!m_source->schema().hasGeometry)
        host::raiseError(host::errors::kHostCallFailed, m_source->schema().layerName + " has no shapes");
    return host::makeRef<QgisGeometry>(m_feature.geometry(), m_source->layer().crs());
}

namespace {

// IDs asked of the provider at once: few enough to hold their rows.
constexpr std::size_t kIdBlock = 1000;

} // namespace

QgisCursor::QgisCursor(std::shared_ptr<const QgisLayerSource> source, const std::string& whereClause,
                       bool withGeometry)
    : m_source(std::move(source)), m_withGeometry(withGeometry)
{
    QgsVectorLayer& layer = m_source->layer();
    QgisWhere where = translateWhereClause(whereClause, m_source->schema());
    if (where.ids) {
        m_ids = std::move(where.ids);
    } else {
        m_request = featureRequest(where, layer);
    }
    if (!withGeometry) m_request.setFlags(m_request.flags() | QgsFeatureRequest::NoGeometry);
    if (!m_ids) m_iterator = layer.getFeatures(m_request);
}

host::Ref<host::IRow> QgisCursor::NextRow() { return next(); }

host::Ref<host::IFeature> QgisCursor::NextFeature() { return next(); }

host::Ref<host::IFeature> QgisCursor::next()
{
    if (m_atEnd) return {};
    // Only a whole-table read is long enough to repay starting it again narrower.
    if (m_delivered == 1 && !m_withGeometry && m_request.filterType() == QgsFeatureRequest::FilterNone) narrow();
    if (m_groups) {
        // A grouped row shares the group's one feature: no feature is made per row.
        if (nextFromGroups()) {
            const std::shared_ptr<QgisRow>& row = handOut(m_groupRow);
            row->belongsTo(m_group, m_groupPosition++);
            return host::Ref<host::IFeature>(row);
        }
    } else {
        QgsFeature feature;
        if (m_ids ? nextFromIds(feature) : nextFromIterator(feature)) {
            if (m_delivered == 0) {
                m_firstId = feature.id();
                m_first = feature;
            }
            return host::Ref<host::IFeature>(handOut(std::move(feature)));
        }
    }
    m_atEnd = true;
    m_iterator.close();
    m_block.clear();
    m_groups.reset();
    m_rows[0].reset();
    m_rows[1].reset();
    return {};
}

const std::shared_ptr<QgisRow>& QgisCursor::handOut(QgsFeature feature)
{
    ++m_delivered;
    m_lastRow = 1 - m_lastRow;
    std::shared_ptr<QgisRow>& row = m_rows[m_lastRow];
    if (row && row.use_count() == 1)
        row->reuse(std::move(feature), m_subset);
    else
        row = std::make_shared<QgisRow>(m_source, std::move(feature), m_subset, m_withGeometry ? nullptr : m_asked);
    return row;
}

bool QgisCursor::nextFromGroups()
{
    while (m_groupLeft == 0) {
        std::optional<ValueGroup> group = m_groups->next();
        if (!group) return false;
        const int field = m_subset->front();
        m_group = std::make_shared<GroupRows>();
        m_group->value = group->value;
        m_group->hostValue = attributeValue(group->value);
        m_group->fieldIndex = field;
        m_groupLeft = group->rows;
        m_groupPosition = 0;
        const QVariant firstValue = m_first.attribute(field);
        if (!m_firstMet && firstValue.isNull() == group->value.isNull() &&
            (firstValue.isNull() || firstValue == group->value)) {
            // The row handed out before grouping began is one of these.
            m_firstMet = true;
            m_group->except = m_firstId;
            --m_groupLeft;
        }
        m_groupRow = QgsFeature(m_source->layer().fields(), FID_NULL);
        m_groupRow.setAttribute(field, group->value);
    }
    --m_groupLeft;
    return true;
}

bool QgisCursor::nextFromIterator(QgsFeature& feature)
{
    while (m_iterator.nextFeature(feature)) {
        // The read restarted narrower meets the first row again.
        if (m_delivered > 0 && m_subset && feature.id() == m_firstId) continue;
        return true;
    }
    return false;
}

bool QgisCursor::nextFromIds(QgsFeature& feature)
{
    const std::vector<QgsFeatureId>& ids = *m_ids;
    while (m_nextId < ids.size()) {
        if (m_nextId >= m_blockEnd) {
            m_block.clear();
            m_blockEnd = std::min(ids.size(), m_nextId + kIdBlock);
            QgsFeatureIds wanted;
            for (std::size_t i = m_nextId; i < m_blockEnd; ++i) wanted.insert(ids[i]);
            QgsFeatureRequest request(m_request);
            request.setFilterFids(wanted);
            QgsFeatureIterator it = m_source->layer().getFeatures(request);
            QgsFeature read;
            while (it.nextFeature(read)) m_block.insert(read.id(), read);
        }
        const auto found = m_block.find(ids[m_nextId++]);
        if (found == m_block.end()) continue;  // no such feature
        feature = *found;
        m_block.erase(found);
        return true;
    }
    return false;
}

void QgisCursor::narrow()
{
    const int fieldCount = m_source->layer().fields().count();
    if (m_asked->layerIndexes.size() >= fieldCount) return;
    auto subset = std::make_shared<QgsAttributeList>(m_asked->layerIndexes.values());
    std::sort(subset->begin(), subset->end());
    m_request.setSubsetOfAttributes(*subset);
    m_subset = std::move(subset);
    if (m_ids) return;  // the next block is read narrower
    if (m_subset->size() == 1 && m_request.filterType() == QgsFeatureRequest::FilterNone &&
        (m_groups = ValueGroups::open(m_source->layer(), m_subset->front()))) {
        m_iterator.close();
        return;
    }
    m_iterator.close();
    m_iterator = m_source->layer().getFeatures(m_request);
}

} // namespace corvane::qgis
