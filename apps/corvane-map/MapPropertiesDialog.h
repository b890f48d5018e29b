#pragma once
// The map properties dialog: the map's coordinate system, typed as an EPSG
// code (or anything GDAL reads), or left to the first layer that has one.
// Modal, UI thread.

#include "gdal/GdalMap.h"

class QWidget;

namespace corvane::map {

// True when the user pressed OK with a system GDAL knows (or an empty
// field: the first layer's), which is then set on the map.
bool editMapSrs(QWidget* parent, gdal::GdalMap& map);

} // namespace corvane::map
