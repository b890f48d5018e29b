#include "qgis/QgisCursor.h"

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

std::int32_t QgisRow::OID()
{
    const QgsFeatureId id = m_feature.id();
    if (id < std::numeric_limits<std::int32_t>::min() || id > std::numeric_limits<std::int32_t>::max())
        host::raiseError(6, "Overflow");
    return static_cast<std::int32_t>(id);
}

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
    return host::makeRef<QgisGeometry>(m_feature.geometry(), m_source->layer().crs());
}

QgisCursor::QgisCursor(std::shared_ptr<const QgisLayerSource> source, const std::string& whereClause,
                       bool withGeometry)
    : m_source(std::move(source)), m_withGeometry(withGeometry)
{
    QgsVectorLayer& layer = m_source->layer();
    m_request = featureRequest(translateWhereClause(whereClause, m_source->schema()), layer);
    if (!withGeometry) m_request.setFlags(m_request.flags() | QgsFeatureRequest::NoGeometry);
    m_iterator = layer.getFeatures(m_request);
}

host::Ref<host::IRow> QgisCursor::NextRow() { return next(); }

host::Ref<host::IFeature> QgisCursor::NextFeature() { return next(); }

host::Ref<host::IFeature> QgisCursor::next()
{
    if (m_atEnd) return {};
    if (m_delivered == 1 && !m_withGeometry) narrow();
    QgsFeature feature;
    while (m_iterator.nextFeature(feature)) {
        if (m_delivered > 0 && feature.id() == m_firstId && m_subset) continue;  // met again after narrowing
        if (m_delivered == 0) m_firstId = feature.id();
        ++m_delivered;
        return host::makeRef<QgisRow>(m_source, std::move(feature), m_subset, m_withGeometry ? nullptr : m_asked);
    }
    m_atEnd = true;
    m_iterator.close();
    return {};
}

void QgisCursor::narrow()
{
    const int fieldCount = m_source->layer().fields().count();
    if (m_asked->layerIndexes.size() >= fieldCount) return;
    auto subset = std::make_shared<QgsAttributeList>(m_asked->layerIndexes.values());
    std::sort(subset->begin(), subset->end());
    m_request.setSubsetOfAttributes(*subset);
    m_subset = std::move(subset);
    m_iterator.close();
    m_iterator = m_source->layer().getFeatures(m_request);
}

} // namespace corvane::qgis
