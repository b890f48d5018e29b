#include "LevelOfDetail.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "ShapesById.h"

namespace corvane::map {

namespace {

constexpr std::int64_t kStaleCheckEvery = 256;
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
            if (++seen % kStaleCheckEvery == 0 && !control.keepDrawing()) {
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
                counts.finished = readShapesById(table, large, -1, control,
                                                 [&](const OGRGeometry& geometry, std::int64_t, const char*) {
                                                     full(geometry);
                                                     return true;
                                                 });
            }
        }
    }
    density.paint(painter, dotColour);
    counts.dots = density.dots();
    return counts;
}

} // namespace corvane::map
