#pragma once
// The scales at which a layer is drawn, as map scale denominators (1:N at
// 96 dots per inch, map units taken as metres). The layer properties fill
// it in per layer; a layer without one gets defaultScaleRange, which keeps
// very large layers out of views where every shape would be a speck.

#include <cstdint>

#include "gdal/GdalGeometry.h"

namespace corvane::map {

struct LayerScaleRange {
    // Hidden when zoomed out beyond 1:minimumScale. 0: no limit.
    double minimumScale = 0.0;
    // Hidden when zoomed in beyond 1:maximumScale. 0: no limit.
    double maximumScale = 0.0;

    [[nodiscard]] bool shows(double scale) const noexcept
    {
        return (minimumScale <= 0.0 || scale <= minimumScale) && (maximumScale <= 0.0 || scale >= maximumScale);
    }
    friend bool operator==(const LayerScaleRange&, const LayerScaleRange&) = default;
};

// The denominator of the scale at which one pixel covers `unitsPerPixel`.
[[nodiscard]] double scaleDenominator(double unitsPerPixel) noexcept;

// Layers of this many shapes or more are "very large".
inline constexpr std::int64_t kVeryLargeLayer = 250'000;

// No limits for an ordinary layer. A very large one is hidden once its
// average shape would be smaller than a quarter of a pixel: its density
// picture is then a solid smear that hides the layers under it.
[[nodiscard]] LayerScaleRange defaultScaleRange(std::int64_t shapeCount, const gdal::Box& layerExtent) noexcept;

} // namespace corvane::map
