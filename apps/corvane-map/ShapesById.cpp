#include "ShapesById.h"

#include <algorithm>

#include "gdal/CplErrors.h"

namespace corvane::map {

namespace {

constexpr std::int64_t kStaleCheckEvery = 256;

} // namespace

bool readShapesById(gdal::LayerTable& table, std::vector<std::int64_t>& fids, int ogrField, const RenderControl& control,
                    const std::function<bool(const OGRGeometry&, std::int64_t, const char*)>& visit)
{
    std::sort(fids.begin(), fids.end());
    const std::string& name = table.schema().layerName;
    gdal::LayerLease lease = table.source()->lease(name);
    OGRLayer& layer = lease.layer();
    gdal::ScopedCplErrors errors;
    OGRFeatureDefn* definition = layer.GetLayerDefn();
    if (ogrField >= definition->GetFieldCount()) ogrField = -1;
    if (layer.TestCapability(OLCIgnoreFields)) {
        std::vector<const char*> ignored;
        for (int i = 0; i < definition->GetFieldCount(); ++i)
            if (i != ogrField) ignored.push_back(definition->GetFieldDefn(i)->GetNameRef());
        ignored.push_back("OGR_STYLE");
        ignored.push_back(nullptr);
        if (layer.SetIgnoredFields(ignored.data()) != OGRERR_NONE) errors.raise("Cannot skip the fields of " + name);
    }
    std::int64_t done = 0;
    for (const std::int64_t fid : fids) {
        if (++done % kStaleCheckEvery == 0 && !control.keepDrawing()) return false;
        OGRFeatureUniquePtr feature(layer.GetFeature(fid));
        if (!feature) {
            if (errors.failed()) errors.raise("Cannot read the shapes of " + name);
            continue;
        }
        const OGRGeometry* geometry = feature->GetGeometryRef();
        if (geometry == nullptr) continue;
        const char* text = ogrField >= 0 && feature->IsFieldSetAndNotNull(ogrField) ? feature->GetFieldAsString(ogrField) : "";
        if (!visit(*geometry, fid, text)) return false;
    }
    return true;
}

} // namespace corvane::map
