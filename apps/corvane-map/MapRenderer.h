#pragma once
// Draws the feature layers of a map into a painter: only the shapes whose
// boxes meet the extent are read (an OGR spatial filter), so a redraw after
// zooming in costs what is on screen, not what is in the file.

#include <QRectF>
#include <QTransform>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>

#include "gdal/GdalGeometry.h"
#include "gdal/GdalMap.h"
#include "LayerScaleRange.h"
#include "RenderControl.h"

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
    std::int64_t shapes = 0;  // drawn in full
    std::int64_t dots = 0;    // drawn as a dot (smaller than a pixel or two)
    bool complete = true;     // false: stopped because it went stale
};

class LayerBoxCache;

class MapRenderer {
public:
    explicit MapRenderer(std::shared_ptr<gdal::GdalMap> map);

    void setMap(std::shared_ptr<gdal::GdalMap> map) { m_map = std::move(map); }
    [[nodiscard]] const std::shared_ptr<gdal::GdalMap>& map() const noexcept { return m_map; }
    // Draws `extent` (fitted to `target`) into `target`; clips to it. Any
    // thread may render, one render per renderer copy at a time; copies
    // share the layers' indexes. Raises HostError when a layer cannot be read.
    RenderStats render(QPainter& painter, const QRectF& target, const gdal::Box& extent,
                       const RenderControl& control = {}) const;

    // The scales a layer is drawn at; without one it gets defaultScaleRange.
    void setScaleRange(const host::ILayer* layer, const LayerScaleRange& range) { m_scaleRanges[layer] = range; }
    void clearScaleRange(const host::ILayer* layer) { m_scaleRanges.erase(layer); }
    [[nodiscard]] std::optional<LayerScaleRange> scaleRange(const host::ILayer* layer) const;

private:
    std::shared_ptr<gdal::GdalMap> m_map;
    std::map<const host::ILayer*, LayerScaleRange> m_scaleRanges;
    std::shared_ptr<LayerBoxCache> m_boxes;
};

} // namespace corvane::map
