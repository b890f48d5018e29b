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
#include <memory>
#include <vector>

#include "ExtentFit.h"
#include "LayerLook.h"
#include "gdal/GdalGeometry.h"
#include "gdal/GdalMap.h"
#include "gdal/TransformPool.h"

class QPainter;

namespace corvane::map {

// Map units to pixels of `target` for an extent already fitted to it (y up).
[[nodiscard]] QTransform mapToPixels(const gdal::Box& extent, const QRectF& target);

struct RenderStats {
    std::int64_t shapes = 0;
    std::int64_t labels = 0;
    std::vector<QPolygonF> labelOutlines;  // where each label drawn lies, in pixels
};

class MapRenderer {
public:
    explicit MapRenderer(std::shared_ptr<gdal::GdalMap> map) : m_map(std::move(map)) {}

    void setMap(std::shared_ptr<gdal::GdalMap> map) { m_map = std::move(map); }
    // The look to draw with (a copy the caller no longer changes); empty:
    // every layer shown in default colours, without labels.
    void setLook(std::shared_ptr<const MapLook> look) { m_look = std::move(look); }
    // Draws `extent` (fitted to `target`, in the map's coordinate system)
    // into `target`; clips to it.
    RenderStats render(QPainter& painter, const QRectF& target, const gdal::Box& extent) const;

    // The transformations from each layer's system to the map's, shared
    // with whoever else draws the map's layers (the highlight).
    [[nodiscard]] gdal::TransformPool& transforms() const noexcept { return *m_transforms; }

private:
    std::shared_ptr<gdal::GdalMap> m_map;
    std::shared_ptr<const MapLook> m_look;
    std::shared_ptr<gdal::TransformPool> m_transforms = std::make_shared<gdal::TransformPool>();
};

} // namespace corvane::map
