#include "qgis/ValueGroups.h"

#include <QPointer>
#include <algorithm>
#include <utility>

#include <qgsexpression.h>
#include <qgsfeaturerequest.h>
#include <qgsproviderregistry.h>
#include <qgsvectordataprovider.h>
#include <qgsvectorlayer.h>
#include <qgsvectorlayereditbuffer.h>
#include <qgsvectorlayerfeatureiterator.h>

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
    // Editing may reopen the file in another journal mode, which a
    // connection opened before does not survive.
    QObject::connect(&layer, &QgsVectorLayer::editingStarted, &layer,
                     [kept = QPointer<QgsVectorLayer>(grouping.get())] { delete kept.data(); });
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
    // The grouping reads the whole index of the column through SQLite's
    // default page cache. A larger cache made a read straight after another
    // cheaper, but QGIS's connection pool closes an idle connection after a
    // minute or two, and a dialog is opened now and then: most reads would
    // pay for filling tens of MiB of fresh pages and gain nothing from them.
    const QString tableUri = QStringLiteral("%1|layername=%2|subset=").arg(path, table);

    QgsFeatureRequest request;
    request.setFlags(QgsFeatureRequest::NoGeometry);
    for (int attempt = 0; attempt < 2; ++attempt) {
        QgsVectorLayer* grouping = groupingLayer(layer, tableUri + sql, tableUri);
        if (grouping == nullptr) return nullptr;
        auto groups = std::make_unique<ValueGroups>(
            std::make_unique<ValueGroupReader>(std::make_unique<QgsVectorLayerFeatureSource>(grouping), request));
        // The cursor has met a row, so no first group means the query
        // failed: a kept connection does not survive everything done to
        // its file since (a switch to WAL when the layer was edited), a
        // new one does.
        if (groups->readAhead()) return groups;
        groups.reset();
        delete grouping;
    }
    return nullptr;
}

ValueGroups::ValueGroups(std::unique_ptr<ValueGroupReader> reader) : m_reader(std::move(reader)) {}

ValueGroups::~ValueGroups() = default;

bool ValueGroups::readAhead()
{
    m_ahead = m_reader->next();
    return m_ahead.has_value();
}

std::optional<ValueGroup> ValueGroups::next()
{
    if (m_ahead) return std::exchange(m_ahead, std::nullopt);
    return m_reader->next();
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
