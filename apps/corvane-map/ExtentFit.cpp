#include "ExtentFit.h"

#include <algorithm>

namespace corvane::map {

gdal::GroundScale groundScaleAt(const gdal::Srs& srs, const gdal::Box& box)
{
    return gdal::groundScale(srs, (box.xMin + box.xMax) / 2.0, (box.yMin + box.yMax) / 2.0);
}

gdal::Box fitExtent(const gdal::Box& requested, const QSizeF& viewport, const gdal::GroundScale& ground)
{
    const double cx = (requested.xMin + requested.xMax) / 2.0;
    const double cy = (requested.yMin + requested.yMax) / 2.0;
    double width = std::max(requested.xMax - requested.xMin, 0.0);
    double height = std::max(requested.yMax - requested.yMin, 0.0);
    const double minimumWidth = ground.metresPerUnitX > 0 ? kMinimumGroundSize / ground.metresPerUnitX : kMinimumGroundSize;
    const double minimumHeight = ground.metresPerUnitY > 0 ? kMinimumGroundSize / ground.metresPerUnitY : kMinimumGroundSize;
    // A long thin extent (a street) is left alone: the window's proportions
    // give it its height.
    if (width < minimumWidth && height < minimumHeight) {
        width = std::max(width, minimumWidth);
        height = std::max(height, minimumHeight);
    }
    if (viewport.width() > 0 && viewport.height() > 0) {
        const double aspect = viewport.width() / viewport.height();
        if (width >= height * aspect)
            height = width / aspect;
        else
            width = height * aspect;
    }
    return {cx - width / 2.0, cy - height / 2.0, cx + width / 2.0, cy + height / 2.0};
}

double scaleDenominator(const gdal::Box& shown, double pixels, const gdal::Srs& srs, double dotsPerInch)
{
    if (pixels <= 0 || dotsPerInch <= 0) return 0.0;
    const gdal::GroundScale ground = groundScaleAt(srs, shown);
    const double metresAcross = (shown.xMax - shown.xMin) * ground.metresPerUnitX;
    const double screenMetresAcross = pixels / dotsPerInch * 0.0254;
    return metresAcross / screenMetresAcross;
}

} // namespace corvane::map
