#pragma once
// How the canvas turns the extent it was given into the extent it shows:
// widened to the window's proportions, and a tiny or zero-size extent (a
// point's envelope, a zero-height line) widened to a neighbourhood measured
// on the ground, so the same rule holds in metres, feet and degrees.
// Pure functions; any thread.

#include <QSizeF>

#include "gdal/GdalGeometry.h"
#include "gdal/SpatialReference.h"

namespace corvane::map {

// The least width and height shown on the ground, in metres: a house and
// its neighbours.
inline constexpr double kMinimumGroundSize = 30.0;

// `requested` widened (about its centre) to the proportions of `viewport`;
// when it is under kMinimumGroundSize across in both directions it is first
// widened to that size. `ground` gives metres per map unit at its centre.
[[nodiscard]] gdal::Box fitExtent(const gdal::Box& requested, const QSizeF& viewport,
                                  const gdal::GroundScale& ground = {});

// The ground scale of a map system at the centre of `box`.
[[nodiscard]] gdal::GroundScale groundScaleAt(const gdal::Srs& srs, const gdal::Box& box);

// N of the scale 1:N at which `shown` fills `pixels` across on a screen of
// `dotsPerInch`, measured across the middle of the extent; 0 when unknown.
[[nodiscard]] double scaleDenominator(const gdal::Box& shown, double pixels, const gdal::Srs& srs,
                                      double dotsPerInch);

} // namespace corvane::map
