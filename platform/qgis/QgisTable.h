#pragma once
// The table and feature class of one QGIS vector layer: its fields, its
// object IDs (QGIS feature IDs) and cursors over its features. The layer
// is watched, not owned: a layer removed from the project raises a host
// error on the next call instead of leaving a dangling pointer. UI thread.
//
//   auto table = std::make_shared<QgisTable>(*vectorLayer);
//   host::Ref<host::ICursor> rows = table->Search(filter, false);   // no geometry read
//   host::Ref<host::IFeatureCursor> shapes = table->searchFeatures(filter, true);

#include <QPointer>
#include <memory>
#include <string>

#include <qgsvectorlayer.h>

#include "host/Tables.h"
#include "qgis/QgisSchema.h"

namespace corvane::qgis {

class QgisLayerSource {
public:
    explicit QgisLayerSource(QgsVectorLayer& layer);
    // Raises HostError when the layer is gone.
    [[nodiscard]] QgsVectorLayer& layer() const;
    [[nodiscard]] const QgisSchema& schema() const noexcept { return *m_schema; }

private:
    QPointer<QgsVectorLayer> m_layer;
    std::shared_ptr<const QgisSchema> m_schema;
};

class QgisTable final : public host::ITable, public host::IFeatureClass {
public:
    explicit QgisTable(QgsVectorLayer& layer) : m_source(std::make_shared<QgisLayerSource>(layer)) {}

    std::int32_t FindField(const std::string& name) override { return m_source->schema().findField(name); }
    host::Ref<host::IFields> Fields() override;
    // Every QGIS feature has an ID.
    bool HasOID() override { return true; }
    std::string OIDFieldName() override { return m_source->schema().oidFieldName; }

    // Raises HostError with QGIS's message when the clause is rejected.
    host::Ref<host::ICursor> Search(const host::Ref<host::IQueryFilter>& filter, bool recycling) override;
    std::int32_t RowCount(const host::Ref<host::IQueryFilter>& filter) override;
    std::int32_t FeatureCount(const host::Ref<host::IQueryFilter>& filter) override { return RowCount(filter); }

    // Features with their shapes, for the feature layer's Search.
    host::Ref<host::IFeatureCursor> searchFeatures(const host::Ref<host::IQueryFilter>& filter);

    [[nodiscard]] const std::shared_ptr<QgisLayerSource>& source() const noexcept { return m_source; }

private:
    std::shared_ptr<QgisLayerSource> m_source;
};

} // namespace corvane::qgis
