#include "LayerPanel.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "LayerPropertiesDialog.h"
#include "MapCanvas.h"
#include "gdal/GdalLayers.h"
#include "gdal/SpatialReference.h"

namespace corvane::map {

namespace {

constexpr int kLayerRole = Qt::UserRole + 1;

QString srsText(const gdal::Srs& srs)
{
    if (!srs) return QStringLiteral("No coordinate system: drawn as it is");
    return QStringLiteral("Coordinate system: %1").arg(QString::fromStdString(gdal::srsLabel(srs)));
}

gdal::FeatureLayer* featureOf(const QTreeWidgetItem* item)
{
    return static_cast<gdal::FeatureLayer*>(item->data(0, kLayerRole).value<void*>());
}

} // namespace

LayerPanel::LayerPanel(MapCanvas& canvas, QWidget* parent) : QDockWidget(QStringLiteral("Layers"), parent), m_canvas(canvas)
{
    setObjectName(QStringLiteral("LayerPanel"));
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("LayerTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    setWidget(m_tree);
    connect(m_tree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) { itemChanged(item); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item, int) { editLayer(item); });
}

void LayerPanel::rebuild()
{
    m_building = true;
    m_tree->clear();
    gdal::GdalMap& map = *m_canvas.document()->map();
    const MapLook& look = m_canvas.look();
    const std::function<void(const host::Ref<host::ILayer>&, QTreeWidgetItem*)> add =
        [&](const host::Ref<host::ILayer>& layer, QTreeWidgetItem* parent) {
            auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
            item->setText(0, QString::fromStdString(layer->Name()));
            if (auto* feature = dynamic_cast<gdal::FeatureLayer*>(layer.get())) {
                item->setData(0, kLayerRole, QVariant::fromValue(static_cast<void*>(feature)));
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(0, look.of(*feature).visible ? Qt::Checked : Qt::Unchecked);
                item->setToolTip(0, srsText(feature->table().schema().srs));
                if (!feature->table().schema().srs) {
                    // Said in the tree itself, not only on hover.
                    QFont font = item->font(0);
                    font.setItalic(true);
                    item->setFont(0, font);
                    item->setText(0, item->text(0) + QStringLiteral(" (no coordinate system)"));
                }
            } else if (auto* group = dynamic_cast<gdal::GroupLayer*>(layer.get())) {
                QFont font = item->font(0);
                font.setBold(true);
                item->setFont(0, font);
                item->setToolTip(0, QStringLiteral("Group layer"));
                // Its box follows its layers' and sets them all.
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
                for (const auto& child : group->layers()) add(child, item);
                item->setExpanded(true);
            } else {
                item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
                item->setForeground(0, QColor(120, 120, 120));
                item->setToolTip(0, QStringLiteral("A table or raster: not drawn"));
            }
        };
    for (const auto& layer : map.layers()) add(layer, nullptr);
    m_building = false;
}

void LayerPanel::itemChanged(QTreeWidgetItem* item)
{
    gdal::FeatureLayer* layer = featureOf(item);
    if (m_building || layer == nullptr) return;
    MapLook look = m_canvas.look();
    const bool visible = item->checkState(0) == Qt::Checked;
    if (look.of(*layer).visible == visible) return;
    look.of(*layer).visible = visible;
    m_canvas.setLook(std::move(look));
    if (lookChanged) lookChanged();
}

void LayerPanel::editLayer(QTreeWidgetItem* item)
{
    gdal::FeatureLayer* layer = featureOf(item);
    if (layer == nullptr) return;
    MapLook look = m_canvas.look();
    LayerLook edited = look.of(*layer);
    if (!editLayerLook(this, *layer, edited)) return;
    look.set(*layer, edited);
    m_canvas.setLook(std::move(look));
    rebuild();
    if (lookChanged) lookChanged();
}

} // namespace corvane::map
