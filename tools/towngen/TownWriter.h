#pragma once
// Writes the synthetic town with GDAL: a GeoPackage (layers "Parcels",
// "Streets", "Landmarks/Schools", "Utilities/Water/Hydrants" and the table
// "Owners"; "/" in a layer name nests it in groups when the file is opened
// as a map), or a folder of Shapefiles with the same layers, unnested.
// Parcels get indexes on the street field and on street + number.
// The town is laid out in metres on a UTM grid (zone 18N unless told
// otherwise) and written in any coordinate system GDAL knows by EPSG code:
// degrees, US feet... the same ground whatever the system.

#include <stdexcept>
#include <string>

#include "towngen/TownModel.h"

namespace corvane::towngen {

enum class Format { GeoPackage, Shapefile };

inline constexpr const char* kParcelLayer = "Parcels";
inline constexpr const char* kStreetField = "STNAME";
inline constexpr const char* kNumberField = "ADDNUM";
inline constexpr const char* kNumberTextField = "ADDNUM_TXT";
inline constexpr const char* kDateField = "SALEDATE";
inline constexpr const char* kOidField = "OBJECTID";

struct TownPlace {
    int epsg = 32618;  // the system the file is written in
    // Where the first street starts, in metres of WGS 84 / UTM zone 18N.
    double originEasting = 500000.0;
    double originNorthing = 4500000.0;
};

class TownError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Replaces whatever is at `path`. Raises TownError with GDAL's message.
void writeTown(const TownSize& size, Format format, const std::string& path, const TownPlace& place = {});

} // namespace corvane::towngen
