#include "gdal/LayerTable.h"

#include <limits>

#include "gdal/CplErrors.h"
#include "gdal/DamagedFile.h"
#include "gdal/GdalCursor.h"
#include "host/HostError.h"

namespace corvane::gdal {

namespace {

std::string clauseOf(const host::Ref<host::IQueryFilter>& filter)
{
    return filter ? filter->WhereClause() : std::string();
}

std::int32_t narrowed(std::int64_t total, const LayerSchema& schema)
{
    if (total > std::numeric_limits<std::int32_t>::max()) {
        host::raiseError(host::errors::kHostCallFailed, "Too many rows in " + schema.layerName);
    }
    return static_cast<std::int32_t>(total);
}

} // namespace

host::Ref<host::IFields> LayerTable::Fields() { return host::makeRef<GdalFields>(m_schema); }

host::Ref<host::ICursor> LayerTable::Search(const host::Ref<host::IQueryFilter>& filter, bool recycling)
{
    const CursorRequest request{clauseOf(filter), false, recycling, {}, this};
    return host::makeRef<GdalCursor>(m_source, m_schema, request);
}

host::Ref<host::IFeatureCursor> LayerTable::searchFeatures(const host::Ref<host::IQueryFilter>& filter, bool recycling)
{
    const CursorRequest request{clauseOf(filter), true, recycling, m_handOuts, this};
    return host::makeRef<GdalCursor>(m_source, m_schema, request);
}

std::int32_t LayerTable::count(const host::Ref<host::IQueryFilter>& filter)
{
    const std::string clause = clauseOf(filter);
    GIntBig total = 0;
    const bool plain = clause.find_first_not_of(" \t") == std::string::npos;
    if (plain || (m_schema->dateStyle == DateLiteralStyle::Iso && !parseObjectIdList(clause, m_schema->oidFieldName))) {
        // The driver counts by itself, with its indexes.
        LayerLease lease = m_source->lease(m_schema->layerName);
        const std::string failure = "Cannot count the rows of " + m_schema->layerName + " in " + m_source->displayName();
        if (plain && m_schema->dialect == ClauseDialect::PostgreSql) {
            total = m_pgFacts.rowCount(lease.dataset(), lease.layer(), failure);
            return narrowed(total, *m_schema);
        }
        applyRequest(lease.layer(), *m_schema, CursorRequest{clause, false, false, {}, this});
        ScopedCplErrors errors;
        total = lease.layer().GetFeatureCount(TRUE);
        if (total < 0 || errors.failed()) {
            raiseGdalFailure(failure, withDamagedFile(errors.message(), m_source->path(), m_schema->layerName));
        }
    } else {
        // ID lists, and clauses whose text terms OGR may match ignoring case.
        GdalCursor cursor(m_source, m_schema, CursorRequest{clause, false, true, {}, this});
        while (cursor.NextRow()) ++total;
    }
    return narrowed(total, *m_schema);
}

std::optional<Box> LayerTable::fullExtent()
{
    const std::lock_guard lock(m_onceMutex);
    if (!m_extent) {
        if (!m_schema->hasGeometry) {
            m_extent.emplace(std::nullopt);
        } else {
            LayerLease lease = m_source->lease(m_schema->layerName);
            if (m_schema->dialect == ClauseDialect::PostgreSql) {
                // The server counts the rows in the same scan, for the count that follows.
                m_extent.emplace(m_pgFacts.extent(lease.dataset(), lease.layer(),
                                                  "Cannot read the extent of " + m_schema->layerName + " in " +
                                                      m_source->displayName()));
                return *m_extent;
            }
            ScopedCplErrors errors;
            OGREnvelope envelope;
            if (lease.layer().GetExtent(&envelope, TRUE) == OGRERR_NONE) {
                m_extent.emplace(Box{envelope.MinX, envelope.MinY, envelope.MaxX, envelope.MaxY});
            } else if (errors.failed()) {
                raiseGdalFailure("Cannot read the extent of " + m_schema->layerName,
                                 withDamagedFile(errors.message(), m_source->path(), m_schema->layerName));
            } else {
                m_extent.emplace(std::nullopt);  // no features at all
            }
        }
    }
    return *m_extent;
}

std::int64_t LayerTable::featureTotal()
{
    const std::lock_guard lock(m_onceMutex);
    if (!m_featureTotal) m_featureTotal = count({});
    return *m_featureTotal;
}

void LayerTable::shapesWithin(const Box& area, const std::function<bool(const OGRGeometry&, std::int64_t)>& visit)
{
    labelledShapesWithin(area, -1, [&](const OGRGeometry& geometry, std::int64_t fid, const char*) {
        return visit(geometry, fid);
    });
}

void LayerTable::labelledShapesWithin(
    const Box& area, int ogrField,
    const std::function<bool(const OGRGeometry&, std::int64_t, const char*)>& visit)
{
    if (!m_schema->hasGeometry) return;
    LayerLease lease = m_source->lease(m_schema->layerName);
    OGRLayer& layer = lease.layer();
    ScopedCplErrors errors;
    OGRFeatureDefn* definition = layer.GetLayerDefn();
    if (ogrField >= definition->GetFieldCount()) ogrField = -1;
    if (layer.TestCapability(OLCIgnoreFields)) {
        std::vector<const char*> ignored;
        for (int i = 0; i < definition->GetFieldCount(); ++i) {
            if (i != ogrField) ignored.push_back(definition->GetFieldDefn(i)->GetNameRef());
        }
        ignored.push_back("OGR_STYLE");
        ignored.push_back(nullptr);
        if (layer.SetIgnoredFields(ignored.data()) != OGRERR_NONE) errors.raise("Cannot skip the fields of " + m_schema->layerName);
    }
    layer.SetSpatialFilterRect(area.xMin, area.yMin, area.xMax, area.yMax);
    while (true) {
        OGRFeatureUniquePtr feature(layer.GetNextFeature());
        if (!feature) {
            if (errors.failed()) {
                raiseGdalFailure("Cannot read the shapes of " + m_schema->layerName,
                                 withDamagedFile(errors.message(), m_source->path(), m_schema->layerName));
            }
            return;
        }
        const OGRGeometry* geometry = feature->GetGeometryRef();
        if (geometry == nullptr) continue;
        const char* text = ogrField >= 0 && feature->IsFieldSetAndNotNull(ogrField) ? feature->GetFieldAsString(ogrField) : "";
        if (!visit(*geometry, feature->GetFID(), text)) return;
    }
}

} // namespace corvane::gdal
