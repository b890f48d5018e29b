#pragma once
// Level of detail for one layer: a shape whose box is smaller than a pixel
// or two on screen is drawn as a dot of a density picture, from its box
// alone where the layer's boxes can be read without the shapes; only the
// larger ones are read and drawn in full. Called by MapRenderer::render on
// the thread that renders.

#include <QColor>
#include <QRectF>
#include <QTransform>
#include <cstdint>
#include <functional>
#include <vector>

#include "LayerBoxes.h"
#include "RenderControl.h"

class QPainter;

namespace corvane::map {

// A shape whose box is under this many pixels across both ways is a dot.
inline constexpr double kDotPixels = 2.0;

// How many shapes fall on each pixel of the target; painted in one go.
class DensityPicture {
public:
    explicit DensityPicture(const QRectF& target);
    void add(const QPointF& pixel);
    // Each covered pixel in `colour`, more opaque where more shapes fall.
    void paint(QPainter& painter, const QColor& colour) const;
    [[nodiscard]] std::int64_t dots() const noexcept { return m_dots; }

private:
    QRect m_area;
    std::vector<std::uint16_t> m_counts;
    std::int64_t m_dots = 0;
};

struct LayerView {
    gdal::Box extent;
    QTransform transform;  // map units to target pixels
    QRectF target;
};

struct DetailCounts {
    std::int64_t shapes = 0;  // drawn in full
    std::int64_t dots = 0;
    bool finished = true;     // false: the render went stale first
};

// Draws the layer's part of `view`: dots in `dotColour`, the rest through
// `drawShape`. `boxes` may be null (the layer is read through OGR's filter).
DetailCounts drawLayerWithDetail(QPainter& painter, gdal::LayerTable& table, LayerBoxes* boxes, const LayerView& view,
                                 const QColor& dotColour, const std::function<void(const OGRGeometry&)>& drawShape,
                                 const RenderControl& control);

} // namespace corvane::map
