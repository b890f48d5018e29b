#pragma once
// The project's layer tree as the host's map: a group node is a group layer
// whose sub-layers are its children in tree order; a vector layer with
// geometry is a feature layer; a vector layer without geometry, a raster
// or any other layer is a plain layer, neither group nor feature layer.
// Names are those the layer tree shows. Built afresh each time the system
// asks the document for its focus map, so it follows the user's changes.
// UI thread only.
//
//   QgisMap map(project->layerTreeRoot());
//   for (std::int32_t i = 0; i < map.LayerCount(); ++i)
//       if (map.Layer(i).is<host::IFeatureLayer>()) ...

#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "host/Application.h"
#include "host/Layers.h"
#include "qgis/QgisTable.h"

class QgsLayerTreeGroup;
class QgsLayerTreeNode;
class QgsVectorLayer;

namespace corvane::qgis {

class QgisFeatureLayer final : public host::IFeatureLayer, public host::IDisplayTable {
public:
    QgisFeatureLayer(std::string name, QgsVectorLayer& layer) : m_name(std::move(name)), m_layer(&layer) {}

    std::string Name() override { return m_name; }
    host::Ref<host::IFeatureClass> FeatureClass() override { return host::Ref<host::IFeatureClass>(table()); }
    host::Ref<host::IFeatureCursor> Search(const host::Ref<host::IQueryFilter>& filter, bool) override
    {
        return table()->searchFeatures(filter);
    }
    host::Ref<host::ITable> DisplayTable() override { return host::Ref<host::ITable>(table()); }

private:
    // Made on first use: a walk over the map by name reads no layer's fields.
    const std::shared_ptr<QgisTable>& table();

    std::string m_name;
    QPointer<QgsVectorLayer> m_layer;
    std::shared_ptr<QgisTable> m_table;
};

class QgisGroupLayer final : public host::IGroupLayer, public host::ICompositeLayer {
public:
    QgisGroupLayer(std::string name, std::vector<host::Ref<host::ILayer>> layers)
        : m_name(std::move(name)), m_layers(std::move(layers))
    {
    }

    std::string Name() override { return m_name; }
    std::int32_t Count() override { return static_cast<std::int32_t>(m_layers.size()); }
    // Raises HostError for an index out of range.
    host::Ref<host::ILayer> Layer(std::int32_t index) override;

private:
    std::string m_name;
    std::vector<host::Ref<host::ILayer>> m_layers;
};

class QgisPlainLayer final : public host::ILayer {
public:
    explicit QgisPlainLayer(std::string name) : m_name(std::move(name)) {}
    std::string Name() override { return m_name; }

private:
    std::string m_name;
};

class QgisMap final : public host::IMap {
public:
    // An empty root gives an empty map.
    explicit QgisMap(QgsLayerTreeGroup* root);

    std::int32_t LayerCount() override { return static_cast<std::int32_t>(m_layers.size()); }
    // Raises HostError for an index out of range.
    host::Ref<host::ILayer> Layer(std::int32_t index) override;

private:
    std::vector<host::Ref<host::ILayer>> m_layers;
};

// The host layer for one node of the tree; empty for a node whose layer is
// not loaded (a broken data source keeps its node but has no layer).
host::Ref<host::ILayer> layerForNode(QgsLayerTreeNode& node);

} // namespace corvane::qgis
