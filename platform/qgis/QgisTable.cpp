#include "qgis/QgisTable.h"

#include <limits>

#include <qgsvectorlayer.h>

#include "host/HostError.h"
#include "qgis/QgisCursor.h"
#include "qgis/WhereExpression.h"

namespace corvane::qgis {

namespace {

std::string clauseOf(const host::Ref<host::IQueryFilter>& filter)
{
    return filter ? filter->WhereClause() : std::string();
}

} // namespace

QgisLayerSource::QgisLayerSource(QgsVectorLayer& layer) : m_layer(&layer), m_schema(QgisSchema::read(layer)) {}

QgsVectorLayer& QgisLayerSource::layer() const
{
    QgsVectorLayer* layer = m_layer.data();
    if (layer == nullptr || !layer->isValid()) {
        host::raiseError(host::errors::kHostCallFailed,
                         "The layer " + m_schema->layerName + " is no longer in the project");
    }
    return *layer;
}

host::Ref<host::IFields> QgisTable::Fields()
{
    return host::makeRef<QgisFields>(std::shared_ptr<const QgisSchema>(m_source, &m_source->schema()));
}

host::Ref<host::ICursor> QgisTable::Search(const host::Ref<host::IQueryFilter>& filter, bool)
{
    return host::makeRef<QgisCursor>(m_source, clauseOf(filter), false);
}

host::Ref<host::IFeatureCursor> QgisTable::searchFeatures(const host::Ref<host::IQueryFilter>& filter)
{
    return host::makeRef<QgisCursor>(m_source, clauseOf(filter), true);
}

std::int32_t QgisTable::RowCount(const host::Ref<host::IQueryFilter>& filter)
{
    QgsVectorLayer& layer = m_source->layer();
    const std::string clause = clauseOf(filter);
    long long count = -1;
    // The provider knows its count without reading when nothing filters it.
    if (clause.find_first_not_of(" \t\r\n") == std::string::npos) count = layer.featureCount();
    if (count < 0) {
        QgsFeatureRequest request = featureRequest(translateWhereClause(clause, m_source->schema()), layer);
        request.setFlags(QgsFeatureRequest::NoGeometry).setNoAttributes();
        QgsFeatureIterator it = layer.getFeatures(request);
        QgsFeature feature;
        count = 0;
        while (it.nextFeature(feature)) ++count;
    }
    if (count > std::numeric_limits<std::int32_t>::max())
        host::raiseError(host::errors::kHostCallFailed, "Too many rows in " + m_source->schema().layerName);
    return static_cast<std::int32_t>(count);
}

} // namespace corvane::qgis
