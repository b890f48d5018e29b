#include "qgis/ZoomedFeatureMark.h"

#include <QColor>

namespace corvane::qgis {

namespace {

// The map host's highlight colour, a strong cyan that no default layer
// colour uses; the fill lets the feature's own look show through.
const QColor kOutline(0, 200, 255);
const QColor kFill(0, 200, 255, 50);
constexpr int kOutlineWidth = 4;

} // namespace

void ZoomedFeatureMark::show(QgsMapCanvas& canvas, const QgsGeometry& shape, QgsVectorLayer* layer)
{
    clear();
    if (layer == nullptr || shape.isNull() || shape.isEmpty()) return;
    auto* highlight = new QgsHighlight(&canvas, shape, layer);
    highlight->setColor(kOutline);
    highlight->setFillColor(kFill);
    highlight->setWidth(kOutlineWidth);
    highlight->show();
    m_highlight = highlight;
    // Connected after the canvas took the extent it was zoomed to.
    m_extentWatch = QObject::connect(&canvas, &QgsMapCanvas::extentsChanged, &canvas, [this] { clear(); });
}

void ZoomedFeatureMark::clear()
{
    QObject::disconnect(m_extentWatch);
    // The canvas deletes its items when it goes first.
    delete m_highlight.data();
    m_highlight.clear();
}

} // namespace corvane::qgis
