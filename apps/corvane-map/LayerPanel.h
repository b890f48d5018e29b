#pragma once
// The layer panel: a dock with the map's layer tree as the system sees it
// (group layers with their sub-layers, feature layers, other layers), a
// check box per layer to hide and show it, each layer's coordinate system
// on hover, and the layer properties on a double click. UI thread.

#include <QDockWidget>
#include <functional>

class QTreeWidget;
class QTreeWidgetItem;

namespace corvane::map {

class MapCanvas;

class LayerPanel final : public QDockWidget {
public:
    LayerPanel(MapCanvas& canvas, QWidget* parent);

    // Rebuilds the tree from the canvas's map (call after opening files).
    void rebuild();
    [[nodiscard]] QTreeWidget& tree() const noexcept { return *m_tree; }

    // Called after the user changed a layer's look here.
    std::function<void()> lookChanged;

private:
    void itemChanged(QTreeWidgetItem* item);
    void editLayer(QTreeWidgetItem* item);

    MapCanvas& m_canvas;
    QTreeWidget* m_tree = nullptr;
    bool m_building = false;
};

} // namespace corvane::map
