#pragma once
// Small generated towns for the adapter's tests, written once per test
// process into a scratch folder that goes away at exit.

#include <memory>
#include <string>

#include "gdal/GdalLayers.h"
#include "gdal/GdalMap.h"

namespace corvane::gdal::testing {

struct TownFiles {
    std::string folder;
    std::string geoPackage;  // the town as one GeoPackage
    std::string shapefiles;  // the town as a folder of Shapefiles
    std::string parcelsShp;  // the Shapefile of the parcels alone
    std::string fileGdb;     // the parcels alone, copied into a file geodatabase
    std::string spatiaLite;  // ... into a SpatiaLite database
    std::string geoJson;     // ... into a GeoJSON file
};

// Streets: 0 "O'NEIL RD", 1 "Main St", 2 "MAIN ST", 3 " ELM ST", 4 "PRIVATE DR", ...
const TownFiles& townFiles();

// A fresh path inside the scratch folder (nothing is created there).
std::string scratchPath(const std::string& name);

// Writes `bytes` to a new file in the scratch folder and returns its path.
std::string writeScratchFile(const std::string& name, const std::string& bytes);

// The feature layer of that name at any depth of the map's groups.
std::shared_ptr<FeatureLayer> featureLayer(GdalMap& map, const std::string& name);

// The parcels of a town file (the GeoPackage, the Shapefile folder or the
// parcels' own Shapefile).
std::shared_ptr<FeatureLayer> parcelsOf(const std::string& path);

inline constexpr int kTownParcels = 120;
inline constexpr int kTownStreets = 8;

} // namespace corvane::gdal::testing
