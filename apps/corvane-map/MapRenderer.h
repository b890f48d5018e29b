#pragma once
// Draws the feature layers of a map into a painter: only the shapes whose
// boxes meet the extent are read (an OGR spatial filter), so a redraw after
// zooming in costs what is on screen, not what is in the file. Layers of
// another coordinate system than the map's are reprojected as they are
// drawn; labels are placed last, over every layer, without overlaps.

#include <QPolygonF>
#include <QRectF>
#include <QTransform>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "ExtentFit.h"
#include "LayerLook.h"
#include "gdal/GdalGeometry.h"
#include "gdal/GdalMap.h"
#include "gdal/TransformPool.h"
#include "LayerScaleRange.h"
#include "RenderControl.h"

class QPainter;

namespace corvane::map {

// Map units to pixels of `target` for an extent already fitted to it (y up).
[[nodiscard]] QTransform mapToPixels(const gdal::Box& extent, const QRectF& target);

struct RenderStats {
    std::int64_t shapes = 0;  // drawn in full
    std::int64_t dots = 0;    // drawn as a dot (smaller than a pixel or two)
    bool complete = true;     // false: stopped because it went stale
    std::int64_t labels = 0;
    std::vector<QPolygonF> labelOutlines;  // where each label drawn lies, in pixels
};

class LayerBoxCache;

class MapRenderer {
public:
    explicit MapRenderer(std::shared_ptr<gdal::GdalMap> map);

    void setMap(std::shared_ptr<gdal::GdalMap> map) { m_map = std::move(map); }
    [[nodiscard]] const std::shared_ptr<gdal::GdalMap>& map() const noexcept { return m_map; }
    // The look to draw with (a copy the caller no longer changes); empty:
    // every layer shown in default colours, without labels.
    void setLook(std::shared_ptr<const MapLook> look) { m_look = std::move(look); }
    // Draws `extent` (fitted to `target`, in the map's coordinate system)
    // into `target`; clips to it. Any thread may render, one render per
    // renderer copy at a time; copies share the layers' indexes and
    // transformations. Raises HostError when a layer cannot be read.
    RenderStats render(QPainter& painter, const QRectF& target, const gdal::Box& extent,
                       const RenderControl& control = {}) const;

    // The scales a layer is drawn at; without one it gets defaultScaleRange.
    void setScaleRange(const host::ILayer* layer, const LayerScaleRange& range) { m_scaleRanges[layer] = range; }
    void clearScaleRange(const host::ILayer* layer) { m_scaleRanges.erase(layer); }
    [[nodiscard]] std::optional<LayerScaleRange> scaleRange(const host::ILayer* layer) const;

    // The transformations from each layer's system to the map's, shared
    // with whoever else draws the map's layers (the highlight).
    [[nodiscard]] gdal::TransformPool& transforms() const noexcept { return *m_transforms; }

private:
    std::shared_ptr<gdal::GdalMap> m_map;
    std::shared_ptr<const MapLook> m_look;
    std::shared_ptr<gdal::TransformPool> m_transforms = std::make_shared<gdal::TransformPool>();
    std::map<const host::ILayer*, LayerScaleRange> m_scaleRanges;
    std::shared_ptr<LayerBoxCache> m_boxes;
};

} // namespace corvane::map
