#include "LevelOfDetail.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "gdal/CplErrors.h"

namespace corvane::map {

namespace {

constexpr std::int64_t kStaleCheckEvery = 256;
// Past this many full shapes among dots, one filtered scan of the store
// beats fetching each by ID.
constexpr std::size_t kMostFetchedById = 20'000;

bool isDot(const gdal::Box& box, const QTransform& transform, bool points)
{
    // A point's box is always empty; its symbol is drawn at every scale.
    if (points) return false;
    const double scale = transform.m11();
    return (box.xMax - box.xMin) * scale < kDotPixels && (box.yMax - box.yMin) * scale < kDotPixels;
}

QPointF centreOf(const gdal::Box& box, const QTransform& transform)
{
    return transform.map(QPointF((box.xMin + box.xMax) / 2.0, (box.yMin + box.yMax) / 2.0));
}

gdal::Box boxOf(const OGRGeometry& geometry)
{
    OGREnvelope e;
    geometry.getEnvelope(&e);
    return {e.MinX, e.MinY, e.MaxX, e.MaxY};
}

// Reads the shapes with these IDs, in ID order (the store's own order).
bool drawById(gdal::LayerTable& table, std::vector<std::int64_t>& fids,
              const std::function<void(const OGRGeometry&)>& drawShape, const RenderControl& control)
{
    std::sort(fids.begin(), fids.end());
    gdal::LayerLease lease = table.source()->lease(table.schema().layerName);
    OGRLayer& layer = lease.layer();
    if (layer.TestCapability(OLCIgnoreFields)) {
        std::vector<const char*> ignored;
        OGRFeatureDefn* definition = layer.GetLayerDefn();
        for (int i = 0; i < definition->GetFieldCount(); ++i) ignored.push_back(definition->GetFieldDefn(i)->GetNameRef());
        ignored.push_back("OGR_STYLE");
        ignored.push_back(nullptr);
        layer.SetIgnoredFields(ignored.data());
    }
    gdal::ScopedCplErrors errors;
    std::int64_t done = 0;
    for (const std::int64_t fid : fids) {
        if (++done % kStaleCheckEvery == 0 && control.isStale()) return false;
        OGRFeatureUniquePtr feature(layer.GetFeature(fid));
        if (!feature) {
            if (errors.failed()) errors.raise("Cannot read the shapes of " + table.schema().layerName);
            continue;
        }
        if (const OGRGeometry* geometry = feature->GetGeometryRef()) drawShape(*geometry);
    }
    return true;
}

} // namespace

DensityPicture::DensityPicture(const QRectF& target)
    : m_area(target.toAlignedRect()),
      m_counts(static_cast<std::size_t>(std::max(m_area.width(), 0)) * static_cast<std::size_t>(std::max(m_area.height(), 0)))
{
}

void DensityPicture::add(const QPointF& pixel)
{
    const int x = static_cast<int>(pixel.x()) - m_area.left();
    const int y = static_cast<int>(pixel.y()) - m_area.top();
    if (pixel.x() < 0 || pixel.y() < 0 || x < 0 || y < 0 || x >= m_area.width() || y >= m_area.height()) return;
    std::uint16_t& count = m_counts[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_area.width()) +
                                    static_cast<std::size_t>(x)];
    if (count < UINT16_MAX) ++count;
    ++m_dots;
}

void DensityPicture::paint(QPainter& painter, const QColor& colour) const
{
    if (m_dots == 0) return;
    QImage picture(m_area.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    const auto width = static_cast<std::size_t>(m_area.width());
    for (int y = 0; y < m_area.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const std::uint16_t* counts = m_counts.data() + static_cast<std::size_t>(y) * width;
        for (std::size_t x = 0; x < width; ++x) {
            if (counts[x] == 0) continue;
            // One shape shows faintly; four or more on a pixel cover it.
            const int alpha = std::min(255, 96 + 53 * (counts[x] - 1));
            line[x] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), alpha));
        }
    }
    painter.drawImage(m_area.topLeft(), picture);
}

DetailCounts drawLayerWithDetail(QPainter& painter, gdal::LayerTable& table, LayerBoxes* boxes, const LayerView& view,
                                 const QColor& dotColour, const std::function<void(const OGRGeometry&)>& drawShape,
                                 const RenderControl& control)
{
    DetailCounts counts;
    DensityPicture density(view.target);
    const OGRwkbGeometryType type = wkbFlatten(table.schema().geometryType);
    const bool points = type == wkbPoint || type == wkbMultiPoint;
    const auto full = [&](const OGRGeometry& geometry) {
        drawShape(geometry);
        ++counts.shapes;
    };
    // Reading every shape through the filter: dots still save painting.
    const auto scan = [&](bool dotsDrawnAlready) {
        std::int64_t seen = 0;
        table.shapesWithin(view.extent, [&](const OGRGeometry& geometry, std::int64_t) {
            if (++seen % kStaleCheckEvery == 0 && control.isStale()) {
                counts.finished = false;
                return false;
            }
            const gdal::Box box = boxOf(geometry);
            if (!isDot(box, view.transform, points))
                full(geometry);
            else if (!dotsDrawnAlready)
                density.add(centreOf(box, view.transform));
            return true;
        });
    };

    if (boxes == nullptr) {
        scan(false);
    } else {
        std::vector<std::int64_t> large;
        counts.finished = boxes->visit(view.extent, control, [&](const IndexedBox& b) {
            if (isDot(b.box, view.transform, points))
                density.add(centreOf(b.box, view.transform));
            else
                large.push_back(b.fid);
            return true;
        });
        if (counts.finished && !large.empty()) {
            if (boxes->storeFiltersQuickly() && (density.dots() == 0 || large.size() > kMostFetchedById)) {
                scan(true);
            } else {
                counts.finished = drawById(table, large, full, control);
            }
        }
    }
    density.paint(painter, dotColour);
    counts.dots = density.dots();
    return counts;
}

} // namespace corvane::map
