#include "gdal/SpatialReference.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gdal/CplErrors.h"

namespace corvane::gdal {

namespace {

std::shared_ptr<OGRSpatialReference> traditionalOrder(std::shared_ptr<OGRSpatialReference> srs)
{
    srs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return srs;
}

} // namespace

Srs srsOf(const OGRSpatialReference* srs)
{
    if (srs == nullptr) return {};
    return traditionalOrder(std::make_shared<OGRSpatialReference>(*srs));
}

Srs srsFromEpsg(int code)
{
    ScopedCplErrors quiet;
    auto srs = std::make_shared<OGRSpatialReference>();
    if (srs->importFromEPSG(code) != OGRERR_NONE) return {};
    return traditionalOrder(std::move(srs));
}

Srs srsFromText(const std::string& text)
{
    ScopedCplErrors quiet;
    auto srs = std::make_shared<OGRSpatialReference>();
    if (text.empty() || srs->SetFromUserInput(text.c_str()) != OGRERR_NONE) return {};
    return traditionalOrder(std::move(srs));
}

bool sameSrs(const Srs& a, const Srs& b)
{
    if (!a || !b) return !a && !b;
    if (a == b) return true;
    const char* options[] = {"IGNORE_DATA_AXIS_TO_SRS_AXIS_MAPPING=YES", "CRITERION=EQUIVALENT_EXCEPT_AXIS_ORDER_GEOGCRS",
                             nullptr};
    return a->IsSame(b.get(), options) != 0;
}

std::string srsLabel(const Srs& srs)
{
    if (!srs) return {};
    const char* name = srs->GetName();
    std::string label;
    const char* authority = srs->GetAuthorityName(nullptr);
    const char* code = srs->GetAuthorityCode(nullptr);
    if (authority != nullptr && code != nullptr) label = std::string(authority) + ":" + code;
    if (name != nullptr && *name != '\0') label += (label.empty() ? "" : " ") + std::string(name);
    return label.empty() ? std::string("unnamed coordinate system") : label;
}

GroundScale groundScale(const Srs& srs, double /*x*/, double y)
{
    if (!srs) return {};
    if (srs->IsGeographic()) {
        const double radius = srs->GetSemiMajor();
        const double metresPerUnit = radius * srs->GetAngularUnits(nullptr);
        const double latitude = std::clamp(y, -89.9, 89.9) * srs->GetAngularUnits(nullptr);
        return {metresPerUnit * std::cos(latitude), metresPerUnit};
    }
    const double unit = srs->GetLinearUnits(nullptr);
    return {unit, unit};
}

std::optional<Box> projectBox(const Box& box, const Srs& from, const Srs& to)
{
    if (!from || !to || sameSrs(from, to)) return box;
    ScopedCplErrors quiet;
    std::unique_ptr<OGRCoordinateTransformation> transform(OGRCreateCoordinateTransformation(from.get(), to.get()));
    if (!transform) return std::nullopt;
    return projectBox(box, *transform);
}

std::optional<Box> projectBox(const Box& box, OGRCoordinateTransformation& transform)
{
    ScopedCplErrors quiet;
    Box out;
    if (!transform.TransformBounds(box.xMin, box.yMin, box.xMax, box.yMax, &out.xMin, &out.yMin, &out.xMax, &out.yMax,
                                    21)) {
        return std::nullopt;
    }
    if (!std::isfinite(out.xMin) || !std::isfinite(out.yMin) || !std::isfinite(out.xMax) || !std::isfinite(out.yMax))
        return std::nullopt;
    return out;
}

} // namespace corvane::gdal
