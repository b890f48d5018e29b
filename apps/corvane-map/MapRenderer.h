#pragma once
// Draws the feature layers of a map into a painter: only the shapes whose
// boxes meet the extent are read (an OGR spatial filter), so a redraw after
// zooming in costs what is on screen, not what is in the file.

#include <QRectF>
#include <QTransform>
#include <cstdint>
#include <memory>

#include "gdal/GdalGeometry.h"
#include "gdal/GdalMap.h"

class QPainter;

namespace corvane::map {

// The smallest width or height shown, in map units: a point feature's
// zero-size envelope becomes a small neighbourhood instead of nothing.
inline constexpr double kMinimumExtentSize = 50.0;

// `requested` widened (about its centre) to the proportions of `viewport`,
// and at least kMinimumExtentSize across.
[[nodiscard]] gdal::Box fitExtent(const gdal::Box& requested, const QSizeF& viewport);

// Map units to pixels of `target` for an extent already fitted to it (y up).
[[nodiscard]] QTransform mapToPixels(const gdal::Box& extent, const QRectF& target);

struct RenderStats {
    std::int64_t shapes = 0;
};

class MapRenderer {
public:
    explicit MapRenderer(std::shared_ptr<gdal::GdalMap> map) : m_map(std::move(map)) {}

    void setMap(std::shared_ptr<gdal::GdalMap> map) { m_map = std::move(map); }
    // Draws `extent` (fitted to `target`) into `target`; clips to it.
    RenderStats render(QPainter& painter, const QRectF& target, const gdal::Box& extent) const;

private:
    std::shared_ptr<gdal::GdalMap> m_map;
};

} // namespace corvane::map
