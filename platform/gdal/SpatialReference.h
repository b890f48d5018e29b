#pragma once
// Coordinate systems of layers, envelopes and maps. A coordinate system is
// shared, immutable, and always uses the x = easting/longitude,
// y = northing/latitude axis order that every drawing and envelope here
// assumes. An empty one means "unknown": such coordinates are taken as they
// are. Callable from any thread.
//
//   Srs degrees = srsFromEpsg(4326);
//   Srs utm = srsOf(layer.GetSpatialRef());
//   std::optional<Box> box = projectBox(envelope, utm, degrees);
//   GroundScale s = groundScale(degrees, lon, lat);  // metres per degree

#include <memory>
#include <optional>
#include <string>

#include <ogr_spatialref.h>

#include "gdal/GdalGeometry.h"

namespace corvane::gdal {

// A copy of `srs` in x/y axis order; empty for nullptr.
Srs srsOf(const OGRSpatialReference* srs);
// Empty when GDAL does not know the code.
Srs srsFromEpsg(int code);
// From anything GDAL's SetFromUserInput reads ("EPSG:2263", WKT, PROJ);
// empty when it reads nothing.
Srs srsFromText(const std::string& text);

// Both empty, or both the same system (ignoring axis order metadata).
bool sameSrs(const Srs& a, const Srs& b);

// "EPSG:4326 WGS 84", or the system's name; "" for an empty one.
std::string srsLabel(const Srs& srs);

// Metres on the ground per map unit, across and up, about one point.
struct GroundScale {
    double metresPerUnitX = 1.0;
    double metresPerUnitY = 1.0;
};

// For a geographic system the scale across shrinks with the latitude; for
// a projected one it is its linear unit (0.3048006... for US feet). An
// unknown system counts its units as metres.
GroundScale groundScale(const Srs& srs, double x, double y);

// The box in `to` that holds `box` of `from` (edges densified, so a
// rectangle in metres becomes the degrees box that contains it). The box
// itself when either system is empty or both are the same; nullopt when
// PROJ cannot transform it.
std::optional<Box> projectBox(const Box& box, const Srs& from, const Srs& to);
// The same with a transformation at hand (see TransformPool): no PROJ
// set-up per call, which matters once per layer per redraw.
std::optional<Box> projectBox(const Box& box, OGRCoordinateTransformation& transform);

} // namespace corvane::gdal
