#pragma once
// Reads chosen shapes of a layer by feature ID, with the text of one field
// for labels. The renderer calls it on its worker thread once a layer's
// boxes (its in-memory index, or a GeoPackage's R-tree) have said which
// shapes lie in view: a store without a spatial index of its own would
// otherwise read every shape of the file to find those few.
//
//   std::vector<std::int64_t> fids = ...;        // from LayerBoxes::visit
//   readShapesById(table, fids, -1, control, [&](const OGRGeometry& g, std::int64_t, const char*) {
//       draw(g);
//       return true;
//   });

#include <cstdint>
#include <functional>
#include <vector>

#include <ogr_geometry.h>

#include "RenderControl.h"
#include "gdal/LayerTable.h"

namespace corvane::map {

// Past this many shapes, one filtered scan of the store beats fetching each
// by ID.
inline constexpr std::size_t kMostFetchedById = 20'000;

// Calls `visit` with each shape of `fids` (sorted here: the store's own
// order), and the text of OGR field `ogrField` ("" when Null or when the
// field is -1). IDs the layer no longer has are skipped. Returns false when
// `visit` said stop or the render went stale. Raises HostError on a read
// error.
bool readShapesById(gdal::LayerTable& table, std::vector<std::int64_t>& fids, int ogrField, const RenderControl& control,
                    const std::function<bool(const OGRGeometry&, std::int64_t fid, const char* text)>& visit);

} // namespace corvane::map
