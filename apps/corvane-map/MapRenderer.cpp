#include "MapRenderer.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include <ogr_geometry.h>

#include "LabelPlacer.h"
#include "LayerBoxes.h"
#include "LevelOfDetail.h"
#include "ShapesById.h"
#include "gdal/GdalLayers.h"

namespace corvane::map {

namespace {

// Past this many shapes in view a layer's labels would be unreadable even
// where they fit; skip collecting them.
constexpr std::int64_t kMostLabelledShapes = 4000;

void addRing(QPainterPath& path, const OGRLineString& ring, const QTransform& t)
{
    const int n = ring.getNumPoints();
    if (n == 0) return;
    path.moveTo(t.map(QPointF(ring.getX(0), ring.getY(0))));
    for (int i = 1; i < n; ++i) path.lineTo(t.map(QPointF(ring.getX(i), ring.getY(i))));
}

class ShapePainter {
public:
    ShapePainter(QPainter& painter, const QTransform& transform, const LayerLook& look)
        : m_painter(painter), m_transform(transform), m_look(look)
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
        m_painter.setPen(QPen(m_look.outline.darker(150), 1.0));
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
        m_painter.setPen(QPen(m_look.outline, 0.0));
        m_painter.setBrush(m_look.fill);
        m_painter.drawPath(path);
    }

    QPainter& m_painter;
    const QTransform& m_transform;
    const LayerLook& m_look;
};

// Where a feature's label goes: inside a polygon's box, along the middle
// of a line, beside a point.
LabelCandidate labelFor(const OGRGeometry& geometry, const QTransform& t, QString text)
{
    LabelCandidate label;
    label.text = std::move(text);
    switch (wkbFlatten(geometry.getGeometryType())) {
    case wkbPoint:
    case wkbMultiPoint: {
        OGREnvelope e;
        geometry.getEnvelope(&e);
        label.anchor = t.map(QPointF(e.MinX, e.MaxY)) + QPointF(6.0, -8.0);
        label.room = -1.0;
        break;
    }
    case wkbLineString:
    case wkbMultiLineString: {
        const OGRLineString* line = wkbFlatten(geometry.getGeometryType()) == wkbLineString
                                        ? geometry.toLineString()
                                        : geometry.toMultiLineString()->getGeometryRef(0);
        if (line == nullptr || line->getNumPoints() < 2) return label;
        // The longest segment carries the label.
        double best = -1.0;
        for (int i = 0; i + 1 < line->getNumPoints(); ++i) {
            const QPointF a = t.map(QPointF(line->getX(i), line->getY(i)));
            const QPointF b = t.map(QPointF(line->getX(i + 1), line->getY(i + 1)));
            const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
            if (length <= best) continue;
            best = length;
            label.anchor = (a + b) / 2.0;
            double angle = std::atan2(b.y() - a.y(), b.x() - a.x()) * 180.0 / std::numbers::pi;
            if (angle > 90.0) angle -= 180.0;  // never upside down
            if (angle < -90.0) angle += 180.0;
            label.angle = angle;
        }
        label.room = best;
        break;
    }
    default: {
        OGREnvelope e;
        geometry.getEnvelope(&e);
        const QRectF box = t.mapRect(QRectF(QPointF(e.MinX, e.MinY), QPointF(e.MaxX, e.MaxY)));
        label.anchor = box.center();
        label.room = box.width();
        if (box.height() < 8.0) label.room = 0.0;
        break;
    }
    }
    return label;
}

// Labels cost a field read per feature: read them only where the layer's
// features are, on average, big enough on screen to carry one.
bool worthLabelling(gdal::LayerTable& table, OGRCoordinateTransformation* toMap, double pixelsPerUnit)
{
    constexpr double kSmallestLabelledFeature = 12.0;  // pixels
    const auto extent = table.fullExtent();
    if (!extent) return false;
    const auto inMap = toMap ? gdal::projectBox(*extent, *toMap) : extent;
    const std::int64_t total = table.featureTotal();
    if (!inMap || total <= 0) return false;
    const double area = (inMap->xMax - inMap->xMin) * (inMap->yMax - inMap->yMin);
    // A single feature, or features along a line, leave no area to share.
    if (area <= 0.0 || total == 1) return true;
    return std::sqrt(area / static_cast<double>(total)) * pixelsPerUnit >= kSmallestLabelledFeature;
}

struct PendingLabels {
    std::vector<LabelCandidate> candidates;
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
    const std::vector<gdal::FeatureLayer*> layers = featureLayersOf(*m_map);
    const gdal::Srs mapSrs = m_map->srs();
    const MapLook fallback;

    const QTransform transform = mapToPixels(extent, target);
    const double scale = scaleDenominator((extent.xMax - extent.xMin) / std::max(target.width(), 1.0));
    // Restored on every way out, a layer that cannot be read included.
    const SavedPainter saved(painter);
    painter.setClipRect(target);
    painter.setRenderHint(QPainter::Antialiasing, true);
    std::vector<PendingLabels> labels(layers.size());
    bool somethingBelow = false;  // a layer drawn before this one
    // The first layer is on top: draw from the last.
    for (std::size_t i = layers.size(); i-- > 0;) {
        if (control.isStale()) {
            stats.complete = false;
            break;
        }
        gdal::FeatureLayer& layer = *layers[i];
        const LayerLook& look = m_look ? m_look->of(layer) : fallback.of(layer);
        if (!look.visible) continue;
        const std::optional<LayerScaleRange> chosenRange = scaleRange(&layer);
        if (chosenRange && !chosenRange->shows(scale)) continue;
        gdal::LayerTable& table = layer.table();
        const gdal::Srs& layerSrs = table.schema().srs;
        gdal::TransformPool::Lent toMap = m_transforms->borrow(layerSrs, mapSrs);
        // Read what lies in the extent as seen from the layer's own system.
        gdal::Box area = extent;
        if (toMap) {
            const gdal::TransformPool::Lent fromMap = m_transforms->borrow(mapSrs, layerSrs);
            const auto projected = fromMap ? gdal::projectBox(extent, *fromMap.get()) : std::nullopt;
            if (!projected) continue;  // the extent lies outside what the layer's system covers
            area = *projected;
        }
        const double pixelsPerUnit = target.width() / std::max(extent.xMax - extent.xMin, 1e-300);
        const int labelField = look.labelField.empty() || !m_look || !worthLabelling(table, toMap.get(), pixelsPerUnit)
                                   ? -1
                                   : [&] {
                                         const std::int32_t index = table.schema().findField(look.labelField);
                                         return index < 0 ? -1 : table.schema().field(index).ogrIndex;
                                     }();
        ShapePainter shapes(painter, transform, look);
        if (!toMap && labelField < 0) {
            // In the map's own system and without labels: shapes too small
            // to see become dots, read from the layer's boxes where it can.
            const std::shared_ptr<LayerBoxes> boxes = m_boxes->boxesOf(table, control);
            // An index build can take long; the extent may have moved meanwhile.
            if (control.isStale()) {
                stats.complete = false;
                break;
            }
            // A very large layer's smear of dots would hide the layers under
            // it, and reading a million boxes from the store takes seconds.
            // With nothing under it and its boxes in memory (a few tens of
            // milliseconds for a million dots), it is drawn: a map left blank
            // looks broken.
            const bool smearHidesNothingCheaply = !somethingBelow && boxes && !boxes->storeFiltersQuickly();
            const LayerScaleRange range = chosenRange ? *chosenRange
                                          : boxes && !smearHidesNothingCheaply
                                              ? defaultScaleRange(boxes->count(), boxes->extent())
                                              : LayerScaleRange{};
            if (!range.shows(scale)) continue;
            // Zoomed in so far that no shape of a store that filters quickly
            // can be a dot: its boxes would only be read twice.
            LayerBoxes* dotsFrom = boxes.get();
            if (boxes && boxes->storeFiltersQuickly() && averageShapePixels(*boxes, transform) > kNoDotsAbovePixels)
                dotsFrom = nullptr;
            const DetailCounts drawn = drawLayerWithDetail(painter, table, dotsFrom, {extent, transform, target},
                                                           look.outline, [&](const OGRGeometry& g) { shapes.draw(g); },
                                                           control);
            stats.shapes += drawn.shapes;
            stats.dots += drawn.dots;
            if (!drawn.finished) {
                stats.complete = false;
                break;
            }
        } else {
            std::int64_t drawn = 0;
            std::int64_t seen = 0;
            const auto visit = [&](const OGRGeometry& geometry, std::int64_t, const char* text) {
                if (++seen % 256 == 0 && !control.keepDrawing()) {
                    stats.complete = false;
                    return false;
                }
                const OGRGeometry* shown = &geometry;
                std::unique_ptr<OGRGeometry> projected;
                if (toMap) {
                    projected.reset(geometry.clone());
                    if (projected->transform(toMap.get()) != OGRERR_NONE) return true;
                    shown = projected.get();
                }
                shapes.draw(*shown);
                ++stats.shapes;
                if (labelField >= 0 && *text != '\0' && ++drawn <= kMostLabelledShapes)
                    labels[i].candidates.push_back(labelFor(*shown, transform, QString::fromUtf8(text)));
                return true;
            };
            // A store that cannot filter by itself (a Shapefile without .qix,
            // CSV...) would read the whole file for a few shapes in view:
            // its in-memory index says which to fetch.
            const std::shared_ptr<LayerBoxes> boxes = m_boxes->boxesOf(table, control);
            if (control.isStale()) {
                stats.complete = false;
                break;
            }
            std::vector<std::int64_t> inView;
            bool fetchById = boxes && !boxes->storeFiltersQuickly();
            if (fetchById) {
                const bool listed = boxes->visit(area, control, [&](const IndexedBox& b) {
                    inView.push_back(b.fid);
                    return inView.size() <= kMostFetchedById;
                });
                fetchById = inView.size() <= kMostFetchedById;
                if (fetchById && !listed) {
                    stats.complete = false;
                    break;
                }
            }
            if (fetchById) {
                if (!readShapesById(table, inView, labelField, control, visit)) stats.complete = false;
            } else {
                table.labelledShapesWithin(area, labelField, visit);
            }
            if (!stats.complete) break;
            if (drawn > kMostLabelledShapes) labels[i].candidates.clear();
        }
        somethingBelow = true;
        if (control.drawnSoFar) control.drawnSoFar();
    }
    if (!stats.complete) return stats;
    LabelPlacer placer(painter.font());
    for (const PendingLabels& layer : labels) {
        for (const LabelCandidate& candidate : layer.candidates) {
            if (placer.offer(candidate)) ++stats.labels;
        }
    }
    placer.draw(painter);
    stats.labelOutlines = placer.placed();
    return stats;
}

} // namespace corvane::map
