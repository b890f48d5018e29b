#include "LayerScaleRange.h"

#include <cmath>

namespace corvane::map {

namespace {

constexpr double kMetresPerPixel = 0.0254 / 96.0;
constexpr double kSmallestAverageShapePixels = 0.25;

} // namespace

double scaleDenominator(double unitsPerPixel) noexcept { return unitsPerPixel / kMetresPerPixel; }

LayerScaleRange defaultScaleRange(std::int64_t shapeCount, const gdal::Box& layerExtent) noexcept
{
    if (shapeCount < kVeryLargeLayer) return {};
    const double area = (layerExtent.xMax - layerExtent.xMin) * (layerExtent.yMax - layerExtent.yMin);
    if (!(area > 0.0)) return {};
    // The side of the average shape's share of the layer's extent.
    const double averageSide = std::sqrt(area / static_cast<double>(shapeCount));
    return {scaleDenominator(averageSide / kSmallestAverageShapePixels), 0.0};
}

} // namespace corvane::map
