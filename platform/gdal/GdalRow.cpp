#include "gdal/GdalRow.h"

#include <cmath>
#include <limits>

#include "gdal/CplErrors.h"
#include "gdal/GdalGeometry.h"
#include "host/HostError.h"

namespace corvane::gdal {

std::int32_t objectId(GIntBig fid, const std::string& layerName)
{
    if (fid < 0 || fid > std::numeric_limits<std::int32_t>::max()) {
        host::raiseError(host::errors::kHostCallFailed,
                         "Object ID " + std::to_string(fid) + " of " + layerName + " does not fit in 32 bits");
    }
    return static_cast<std::int32_t>(fid);
}

host::Variant attributeValue(const OGRFeature& feature, int ogrIndex)
{
    if (!feature.IsFieldSetAndNotNull(ogrIndex)) return host::Variant::null();
    const OGRField* raw = feature.GetRawFieldRef(ogrIndex);
    const OGRFieldDefn* definition = feature.GetFieldDefnRef(ogrIndex);
    switch (definition->GetType()) {
    case OFTInteger: return host::Variant(std::int32_t{raw->Integer});
    case OFTInteger64: return host::Variant(std::int64_t{raw->Integer64});
    case OFTReal: return host::Variant(raw->Real);
    case OFTString: return host::Variant(std::string(raw->String));
    case OFTDate:
    case OFTDateTime: {
        host::DateTime value;
        value.year = raw->Date.Year;
        value.month = raw->Date.Month;
        value.day = raw->Date.Day;
        if (definition->GetType() == OFTDateTime) {
            value.hour = raw->Date.Hour;
            value.minute = raw->Date.Minute;
            value.second = static_cast<int>(std::floor(raw->Date.Second));
        }
        return host::Variant(value);
    }
    default: return host::Variant(std::string(feature.GetFieldAsString(ogrIndex)));
    }
}

void GdalRow::reset(std::shared_ptr<const RowContext> context, OGRFeatureUniquePtr feature)
{
    if (context != m_context) m_context = std::move(context);
    m_feature = std::move(feature);
    m_whole = false;
}

OGRFeatureUniquePtr readWholeFeature(DataSource& source, const LayerSchema& schema, GIntBig fid)
{
    LayerLease lease = source.lease(schema.layerName);
    ScopedCplErrors errors;
    OGRFeatureUniquePtr whole(lease.layer().GetFeature(fid));
    if (!whole) errors.raise("Cannot read feature " + std::to_string(fid) + " of " + schema.layerName);
    return whole;
}

void GdalRow::readWhole()
{
    m_feature = readWholeFeature(*m_context->source, *m_context->schema, m_feature->GetFID());
    m_whole = true;
}

std::int32_t GdalRow::OID() { return objectId(m_feature->GetFID(), m_context->schema->layerName); }

host::Variant GdalRow::Value(std::int32_t index)
{
    const FieldInfo& field = m_context->schema->field(index);
    switch (field.kind) {
    case FieldInfo::Kind::ObjectId: return host::Variant(OID());
    case FieldInfo::Kind::Geometry:
        // A shape is an object, not a value: it cannot be listed as text.
        host::raiseError(host::errors::kTypeMismatch, "Type mismatch: " + field.name + " holds shapes, not values");
    case FieldInfo::Kind::Attribute: break;
    }
    const auto ogrIndex = static_cast<std::size_t>(field.ogrIndex);
    if (m_context->use) m_context->use->used[ogrIndex] = true;
    if (!m_whole && m_context->loaded && !(*m_context->loaded)[ogrIndex]) readWhole();
    return attributeValue(*m_feature, field.ogrIndex);
}

host::Ref<host::IGeometry> GdalRow::Shape()
{
    if (!m_context->schema->hasGeometry) return {};
    if (!m_whole && !m_context->geometryRead) readWhole();
    const OGRGeometry* geometry = m_feature->GetGeometryRef();
    if (geometry == nullptr) return {};
    return host::makeRef<GdalGeometry>(std::unique_ptr<OGRGeometry>(geometry->clone()), m_context->schema->srs);
}

} // namespace corvane::gdal
