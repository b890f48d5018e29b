#pragma once
// Small tables in the shared test cluster, made once per process, and the
// layers of a map opened on them.

#include <memory>
#include <string>

#include "gdal/GdalLayers.h"
#include "gdal/GdalMap.h"

namespace corvane::testing {

// The demo town loaded into the shared cluster's database "town", with the
// indexes the town file has (street; street and number). Loaded once.
const std::string& townConnection();

// Database "odd": table "odd" with mixed-case columns "Id" (primary key),
// "StName", "Num", "Sold" and a point "geom"; its rows carry awkward street
// names (see oddNames()).
const std::string& oddConnection();
const std::vector<std::string>& oddNames();

// The feature layer or table of that name anywhere in the map.
std::shared_ptr<gdal::LayerTable> tableIn(gdal::GdalMap& map, const std::string& name);

} // namespace corvane::testing
