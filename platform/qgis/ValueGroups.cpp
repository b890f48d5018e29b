#include "qgis/ValueGroups.h"

#include <algorithm>

#include <qgsexpression.h>
#include <qgsfeaturerequest.h>
#include <qgsproviderregistry.h>
#include <qgsvectordataprovider.h>
#include <qgsvectorlayer.h>
#include <qgsvectorlayereditbuffer.h>

namespace corvane::qgis {

namespace {

QString sqlName(const QString& name) { return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"'); }

const char* const kGroupingLayer = "corvane-value-groups";
const char* const kGroupingUri = "corvaneGroupingUri";

// The layer that runs the grouping query `uri`, kept as a child of the layer
// it groups: opening it costs a fifth of the grouping itself, while reading
// it runs its query again, so a kept one never answers from stale rows. It
// goes with its layer; one kept for a table the layer no longer reads goes
// when the next is made (`table` starts the URI of every grouping of the
// layer's current table).
QgsVectorLayer* groupingLayer(QgsVectorLayer& layer, const QString& uri, const QString& table)
{
    const auto kept = layer.findChildren<QgsVectorLayer*>(QLatin1String(kGroupingLayer), Qt::FindDirectChildrenOnly);
    for (QgsVectorLayer* grouping : kept)
        if (grouping->property(kGroupingUri).toString() == uri) return grouping;
    for (QgsVectorLayer* grouping : kept)
        if (!grouping->property(kGroupingUri).toString().startsWith(table)) delete grouping;

    QgsVectorLayer::LayerOptions options;
    options.loadDefaultStyle = false;
    auto grouping = std::make_unique<QgsVectorLayer>(uri, QStringLiteral("groups"), QStringLiteral("ogr"), options);
    if (!grouping->isValid() || grouping->fields().count() != 2) return nullptr;
    grouping->setObjectName(QLatin1String(kGroupingLayer));
    grouping->setProperty(kGroupingUri, uri);
    grouping->setParent(&layer);
    return grouping.release();
}

} // namespace

std::unique_ptr<ValueGroups> ValueGroups::open(QgsVectorLayer& layer, int fieldIndex)
{
    const QgsVectorDataProvider* provider = layer.dataProvider();
    if (provider == nullptr || layer.providerType() != QLatin1String("ogr")) return nullptr;
    const QString format = provider->storageType();
    if (format != QLatin1String("GPKG") && format != QLatin1String("SQLite")) return nullptr;
    if (!layer.subsetString().isEmpty() || (layer.editBuffer() != nullptr && layer.editBuffer()->isModified()))
        return nullptr;
    if (fieldIndex < 0 || fieldIndex >= layer.fields().count() || layer.fields().at(fieldIndex).type() != QVariant::String)
        return nullptr;
    if (layer.fields().fieldOrigin(fieldIndex) != QgsFields::OriginProvider) return nullptr;

    const QVariantMap parts = QgsProviderRegistry::instance()->decodeUri(QStringLiteral("ogr"), layer.source());
    const QString path = parts.value(QStringLiteral("path")).toString();
    const QString table = parts.value(QStringLiteral("layerName")).toString();
    if (path.isEmpty() || table.isEmpty()) return nullptr;
    const QString column = sqlName(layer.fields().at(fieldIndex).name());
    const QString sql = QStringLiteral("SELECT %1, count(*) AS corvane_rows FROM %2 GROUP BY %1").arg(column, sqlName(table));
    const QString tableUri = QStringLiteral("%1|layername=%2|subset=").arg(path, table);

    QgsVectorLayer* grouped = groupingLayer(layer, tableUri + sql, tableUri);
    if (grouped == nullptr) return nullptr;
    QgsFeatureRequest request;
    request.setFlags(QgsFeatureRequest::NoGeometry);
    return std::make_unique<ValueGroups>(grouped->getFeatures(request));
}

ValueGroups::ValueGroups(QgsFeatureIterator rows) : m_rows(std::move(rows)) {}

ValueGroups::~ValueGroups() { m_rows.close(); }

std::optional<ValueGroup> ValueGroups::next()
{
    QgsFeature row;
    if (!m_rows.nextFeature(row)) return std::nullopt;
    return ValueGroup{row.attribute(0), row.attribute(1).toLongLong()};
}

std::vector<QgsFeatureId> idsHolding(QgsVectorLayer& layer, int fieldIndex, const QVariant& value, QgsFeatureId except)
{
    const QString column = QgsExpression::quotedColumnRef(layer.fields().at(fieldIndex).name());
    const QString clause = value.isNull() ? column + QStringLiteral(" IS NULL")
                                          : column + QStringLiteral(" = ") + QgsExpression::quotedValue(value);
    QgsFeatureRequest request;
    request.setFilterExpression(clause);
    request.setFlags(QgsFeatureRequest::NoGeometry);
    request.setNoAttributes();
    std::vector<QgsFeatureId> ids;
    QgsFeatureIterator it = layer.getFeatures(request);
    QgsFeature feature;
    while (it.nextFeature(feature))
        if (feature.id() != except) ids.push_back(feature.id());
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace corvane::qgis
