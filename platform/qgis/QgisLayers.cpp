#include "qgis/QgisLayers.h"

#include <qgslayertree.h>
#include <qgslayertreegroup.h>
#include <qgslayertreelayer.h>
#include <qgsvectorlayer.h>

#include "host/HostError.h"

namespace corvane::qgis {

namespace {

std::vector<host::Ref<host::ILayer>> childLayers(QgsLayerTreeGroup& group)
{
    std::vector<host::Ref<host::ILayer>> layers;
    for (QgsLayerTreeNode* child : group.children()) {
        if (child == nullptr) continue;
        if (host::Ref<host::ILayer> layer = layerForNode(*child)) layers.push_back(std::move(layer));
    }
    return layers;
}

host::Ref<host::ILayer> layerAt(const std::vector<host::Ref<host::ILayer>>& layers, std::int32_t index,
                                const std::string& owner)
{
    if (index < 0 || static_cast<std::size_t>(index) >= layers.size()) {
        host::raiseError(host::errors::kHostCallFailed,
                         "Layer index " + std::to_string(index) + " is out of range for " + owner);
    }
    return layers[static_cast<std::size_t>(index)];
}

} // namespace

host::Ref<host::ILayer> layerForNode(QgsLayerTreeNode& node)
{
    if (QgsLayerTree::isGroup(&node)) {
        QgsLayerTreeGroup* group = QgsLayerTree::toGroup(&node);
        return host::makeRef<QgisGroupLayer>(group->name().toStdString(), childLayers(*group));
    }
    if (!QgsLayerTree::isLayer(&node)) return {};
    QgsLayerTreeLayer* treeLayer = QgsLayerTree::toLayer(&node);
    QgsMapLayer* layer = treeLayer->layer();
    if (layer == nullptr) return {};
    const std::string name = treeLayer->name().toStdString();
    auto* vector = qobject_cast<QgsVectorLayer*>(layer);
    if (vector != nullptr && vector->isValid() && vector->isSpatial())
        return host::makeRef<QgisFeatureLayer>(name, *vector);
    return host::makeRef<QgisPlainLayer>(name);
}

const std::shared_ptr<QgisTable>& QgisFeatureLayer::table()
{
    if (m_table) return m_table;
    QgsVectorLayer* layer = m_layer.data();
    if (layer == nullptr)
        host::raiseError(host::errors::kHostCallFailed, "The layer " + m_name + " is no longer in the project");
    m_table = std::make_shared<QgisTable>(*layer);
    return m_table;
}

host::Ref<host::ILayer> QgisGroupLayer::Layer(std::int32_t index) { return layerAt(m_layers, index, m_name); }

QgisMap::QgisMap(QgsLayerTreeGroup* root)
{
    if (root != nullptr) m_layers = childLayers(*root);
}

host::Ref<host::ILayer> QgisMap::Layer(std::int32_t index) { return layerAt(m_layers, index, "the map"); }

} // namespace corvane::qgis
