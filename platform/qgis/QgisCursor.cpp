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

void QgisRow::reuse(QgsFeature feature, const std::shared_ptr<const QgsAttributeList>& subset)
{
    m_feature = std::move(feature);
    if (m_subset != subset) m_subset = subset;
}

std::int32_t QgisRow::OID() { return hostObjectId(m_feature.id()); }

host::Variant QgisRow::Value(std::int32_t index)
{
    const QgisFieldInfo& field = m_source->schema().field(index);
    switch (field.kind) {
    case QgisFieldInfo::Kind::ObjectId: return host::Variant(static_cast<std::int64_t>(m_feature.id()));
    case QgisFieldInfo::Kind::Geometry:
        host::raiseError(host::errors::kTypeMismatch, "Type mismatch: " + field.name + " holds shapes, not values");
    case QgisFieldInfo::Kind::Attribute: break;
    }
    if (m_asked) m_asked->layerIndexes.insert(field.layerIndex);
    if (m_subset && !m_subset->contains(field.layerIndex)) {
        // Read narrower than this caller needs: fetch the whole row once.
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
    QgsVectorLayer& layer = m_source->layer();
    return host::makeRef<QgisGeometry>(m_feature.geometry(), layer.crs(), &layer);
}

namespace {

// IDs asked of the provider at once: few enough to hold their rows.
constexpr std::size_t kIdBlock = 1000;

std::int32_t hostIndexOf(const QgisSchema& schema, int layerIndex)
{
    for (std::size_t i = 0; i < schema.fields.size(); ++i)
        if (schema.fields[i].kind == QgisFieldInfo::Kind::Attribute && schema.fields[i].layerIndex == layerIndex)
            return static_cast<std::int32_t>(i);
    return -1;
}

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

host::Ref<host::IRow> QgisCursor::NextRow()
{
    // The rows of a grouped read, a million at a time, go straight out.
    if (m_grouped) {
        if (host::Ref<host::IFeature> row = m_grouped->next()) {
            ++m_delivered;
            return row;
        }
    }
    return next();
}

host::Ref<host::IFeature> QgisCursor::NextFeature() { return next(); }

host::Ref<host::IFeature> QgisCursor::next()
{
    if (m_grouped) {
        if (host::Ref<host::IFeature> row = m_grouped->next()) {
            ++m_delivered;
            return row;
        }
    } else if (!m_atEnd) {
        // Only a whole-table read is long enough to repay starting it again narrower.
        if (m_delivered == 1 && !m_withGeometry && m_request.filterType() == QgsFeatureRequest::FilterNone) narrow();
        if (m_grouped) return next();
        QgsFeature feature;
        if (m_ids ? nextFromIds(feature) : nextFromIterator(feature)) {
            if (m_delivered == 0) m_first = feature;
            return host::Ref<host::IFeature>(handOut(std::move(feature)));
        }
    }
    m_atEnd = true;
    m_iterator.close();
    m_block.clear();
    m_grouped.reset();
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

bool QgisCursor::nextFromIterator(QgsFeature& feature)
{
    while (m_iterator.nextFeature(feature)) {
        // The read restarted narrower meets the first row again.
        if (m_delivered > 0 && m_subset && feature.id() == m_first.id()) continue;
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
    if (m_subset->size() == 1 &&
        (m_grouped = GroupedRows::start(m_source, hostIndexOf(m_source->schema(), m_subset->front()), m_subset->front(),
                                        m_first))) {
        m_iterator.close();
        return;
    }
    m_iterator.close();
    m_iterator = m_source->layer().getFeatures(m_request);
}

} // namespace corvane::qgis
