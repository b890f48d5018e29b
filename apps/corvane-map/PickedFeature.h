#pragma once
// Which feature the map was just zoomed to. The system zooms by setting the
// view's extent from a feature's envelope and refreshing; it never says
// which feature that was. But it fetched that feature by a search on its
// object ID just before, and the map's layers record what such searches
// hand out. After a refresh, a feature handed out since the last look whose
// shape lies within the new extent is the one. Called by the canvas on the
// UI thread.

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include <ogr_geometry.h>

#include "LayerLook.h"
#include "gdal/GdalMap.h"
#include "gdal/TransformPool.h"

namespace corvane::map {

struct PickedFeature {
    std::unique_ptr<OGRGeometry> shape;  // in the map's coordinate system
    QString label;                       // its layer's label field, or ""
};

// The feature handed out after `seenSerial` that lies within `extent`
// (map system); nullopt when there is none. Moves `seenSerial` past what
// it looked at, so each feature is found once.
std::optional<PickedFeature> takePickedFeature(gdal::GdalMap& map, const MapLook& look, gdal::TransformPool& transforms,
                                               const gdal::Box& extent, std::uint64_t& seenSerial);

} // namespace corvane::map
