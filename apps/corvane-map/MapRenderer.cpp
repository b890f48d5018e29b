#include "MapRenderer.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include <ogr_geometry.h>

#include "LayerBoxes.h"
#include "LevelOfDetail.h"
#include "gdal/GdalLayers.h"

namespace corvane::map {

namespace {

struct LayerStyle {
    QColor fill;
    QColor line;
};

// Colours by draw order; parcels, streets and points of a town look apart.
constexpr std::array<std::array<int, 6>, 6> kPalette{{
    {{246, 236, 214, 150, 130, 100}},
    {{214, 232, 246, 90, 110, 140}},
    {{226, 242, 214, 100, 130, 90}},
    {{244, 222, 228, 150, 90, 110}},
    {{236, 230, 246, 110, 100, 150}},
    {{240, 240, 240, 110, 110, 110}},
}};

LayerStyle styleFor(std::size_t index)
{
    const auto& c = kPalette[index % kPalette.size()];
    return {QColor(c[0], c[1], c[2]), QColor(c[3], c[4], c[5])};
}

void collectFeatureLayers(const host::Ref<host::ILayer>& layer, std::vector<gdal::FeatureLayer*>& out)
{
    if (auto* feature = dynamic_cast<gdal::FeatureLayer*>(layer.get())) {
        out.push_back(feature);
        return;
    }
    if (auto* group = dynamic_cast<gdal::GroupLayer*>(layer.get()))
        for (const auto& child : group->layers()) collectFeatureLayers(child, out);
}

void addRing(QPainterPath& path, const OGRLineString& ring, const QTransform& t)
{
    const int n = ring.getNumPoints();
    if (n == 0) return;
    path.moveTo(t.map(QPointF(ring.getX(0), ring.getY(0))));
    for (int i = 1; i < n; ++i) path.lineTo(t.map(QPointF(ring.getX(i), ring.getY(i))));
}

class ShapePainter {
public:
    ShapePainter(QPainter& painter, const QTransform& transform, LayerStyle style)
        : m_painter(painter), m_transform(transform), m_style(style)
    {
    }

    void draw(const OGRGeometry& geometry)
    {
        switch (wkbFlatten(geometry.getGeometryType())) {
        case wkbPoint: drawPoint(*geometry.toPoint()); break;
        case wkbLineString: drawLine(*geometry.toLineString()); break;
        case wkbPolygon: drawPolygon(*geometry.toPolygon()); break;
        case wkbMultiPoint:
        case wkbMultiLineString:
        case wkbMultiPolygon:
        case wkbGeometryCollection:
            for (const OGRGeometry* part : *geometry.toGeometryCollection()) draw(*part);
            break;
        default: break;
        }
    }

private:
    void drawPoint(const OGRPoint& point)
    {
        m_painter.setPen(QPen(m_style.line.darker(150), 1.0));
        m_painter.setBrush(QColor(200, 40, 40));
        m_painter.drawEllipse(m_transform.map(QPointF(point.getX(), point.getY())), 3.0, 3.0);
    }

    void drawLine(const OGRLineString& line)
    {
        QPainterPath path;
        addRing(path, line, m_transform);
        m_painter.setPen(QPen(QColor(90, 90, 90), 2.0));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawPath(path);
    }

    void drawPolygon(const OGRPolygon& polygon)
    {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        if (const OGRLinearRing* outer = polygon.getExteriorRing()) addRing(path, *outer, m_transform);
        for (int i = 0; i < polygon.getNumInteriorRings(); ++i) addRing(path, *polygon.getInteriorRing(i), m_transform);
        m_painter.setPen(QPen(m_style.line, 0.0));
        m_painter.setBrush(m_style.fill);
        m_painter.drawPath(path);
    }

    QPainter& m_painter;
    const QTransform& m_transform;
    LayerStyle m_style;
};

struct SavedPainter {
    explicit SavedPainter(QPainter& painter) : m_painter(painter) { m_painter.save(); }
    ~SavedPainter() { m_painter.restore(); }
    SavedPainter(const SavedPainter&) = delete;
    SavedPainter& operator=(const SavedPainter&) = delete;
    QPainter& m_painter;
};

// Where the average shape of a layer is this large on screen, hardly any
// shape of it is under a dot's size.
constexpr double kNoDotsAbovePixels = 64.0;

double averageShapePixels(const LayerBoxes& boxes, const QTransform& transform)
{
    const gdal::Box e = boxes.extent();
    const double area = (e.xMax - e.xMin) * (e.yMax - e.yMin);
    if (boxes.count() <= 0 || !(area > 0.0)) return 0.0;
    return std::sqrt(area / static_cast<double>(boxes.count())) * transform.m11();
}

} // namespace

gdal::Box fitExtent(const gdal::Box& requested, const QSizeF& viewport)
{
    const double cx = (requested.xMin + requested.xMax) / 2.0;
    const double cy = (requested.yMin + requested.yMax) / 2.0;
    double width = std::max(requested.xMax - requested.xMin, 0.0);
    double height = std::max(requested.yMax - requested.yMin, 0.0);
    if (width < kMinimumExtentSize && height < kMinimumExtentSize) {
        width = std::max(width, kMinimumExtentSize);
        height = std::max(height, kMinimumExtentSize);
    }
    if (viewport.width() > 0 && viewport.height() > 0) {
        const double aspect = viewport.width() / viewport.height();
        if (width >= height * aspect)
            height = width / aspect;
        else
            width = height * aspect;
    }
    return {cx - width / 2.0, cy - height / 2.0, cx + width / 2.0, cy + height / 2.0};
}

QTransform mapToPixels(const gdal::Box& extent, const QRectF& target)
{
    const double width = extent.xMax - extent.xMin;
    const double scale = width > 0.0 ? target.width() / width : 1.0;
    // y grows upwards on the map and downwards on the screen.
    return QTransform(scale, 0.0, 0.0, -scale, target.left() - extent.xMin * scale, target.top() + extent.yMax * scale);
}

MapRenderer::MapRenderer(std::shared_ptr<gdal::GdalMap> map)
    : m_map(std::move(map)), m_boxes(std::make_shared<LayerBoxCache>())
{
}

std::optional<LayerScaleRange> MapRenderer::scaleRange(const host::ILayer* layer) const
{
    const auto found = m_scaleRanges.find(layer);
    if (found == m_scaleRanges.end()) return std::nullopt;
    return found->second;
}

RenderStats MapRenderer::render(QPainter& painter, const QRectF& target, const gdal::Box& extent,
                                const RenderControl& control) const
{
    RenderStats stats;
    if (!m_map) return stats;
    std::vector<gdal::FeatureLayer*> layers;
    for (const auto& layer : m_map->layers()) collectFeatureLayers(layer, layers);

    const QTransform transform = mapToPixels(extent, target);
    const double scale = scaleDenominator((extent.xMax - extent.xMin) / std::max(target.width(), 1.0));
    // Restored on every way out, a layer that cannot be read included.
    const SavedPainter saved(painter);
    painter.setClipRect(target);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The first layer is on top: draw from the last.
    for (std::size_t i = layers.size(); i-- > 0;) {
        if (control.isStale()) {
            stats.complete = false;
            break;
        }
        gdal::LayerTable& table = layers[i]->table();
        const std::shared_ptr<LayerBoxes> boxes = m_boxes->boxesOf(table, control);
        // An index build can take long; the extent may have moved meanwhile.
        if (control.isStale()) {
            stats.complete = false;
            break;
        }
        LayerScaleRange range = boxes ? defaultScaleRange(boxes->count(), boxes->extent()) : LayerScaleRange{};
        if (auto chosen = scaleRange(layers[i])) range = *chosen;
        if (!range.shows(scale)) continue;
        // Zoomed in so far that no shape of a store that filters quickly can
        // be a dot: its boxes would only be read twice.
        LayerBoxes* dotsFrom = boxes.get();
        if (boxes && boxes->storeFiltersQuickly() && averageShapePixels(*boxes, transform) > kNoDotsAbovePixels)
            dotsFrom = nullptr;
        const LayerStyle style = styleFor(i);
        ShapePainter shapes(painter, transform, style);
        const DetailCounts drawn = drawLayerWithDetail(painter, table, dotsFrom, {extent, transform, target},
                                                       style.line, [&](const OGRGeometry& g) { shapes.draw(g); }, control);
        stats.shapes += drawn.shapes;
        stats.dots += drawn.dots;
        if (!drawn.finished) {
            stats.complete = false;
            break;
        }
        if (control.layerDrawn) control.layerDrawn();
    }
    return stats;
}

} // namespace corvane::map
