#pragma once
// The table of one OGR layer: the host's ITable and IFeatureClass in one
// object. Row cursors (ITable::Search) read attributes only; feature cursors
// (searchFeatures, behind IFeatureLayer::Search) read shapes as well. The
// map application draws through shapesWithin and fullExtent.

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "gdal/DataSource.h"
#include "gdal/GdalGeometry.h"
#include "gdal/HandedOutFeature.h"
#include "gdal/LayerSchema.h"
#include "gdal/PgTableFacts.h"
#include "host/Tables.h"

namespace corvane::gdal {

class LayerTable final : public host::ITable, public host::IFeatureClass {
public:
    LayerTable(std::shared_ptr<DataSource> source, std::shared_ptr<const LayerSchema> schema)
        : m_source(std::move(source)), m_schema(std::move(schema))
    {
    }

    std::int32_t FindField(const std::string& name) override { return m_schema->findField(name); }
    host::Ref<host::IFields> Fields() override;
    // Every OGR feature has a feature ID, which is the object ID.
    bool HasOID() override { return true; }
    std::string OIDFieldName() override { return m_schema->oidFieldName; }
    host::Ref<host::ICursor> Search(const host::Ref<host::IQueryFilter>& filter, bool recycling) override;
    std::int32_t RowCount(const host::Ref<host::IQueryFilter>& filter) override { return count(filter); }
    std::int32_t FeatureCount(const host::Ref<host::IQueryFilter>& filter) override { return count(filter); }

    host::Ref<host::IFeatureCursor> searchFeatures(const host::Ref<host::IQueryFilter>& filter, bool recycling);

    // The layer's extent, or nullopt when it has no shapes. Read once, from
    // whichever thread asks first (the map draws on a thread of its own).
    std::optional<Box> fullExtent();
    // How many features the layer has, counted once; thread-safe likewise.
    std::int64_t featureTotal();
    // Calls `visit` with each shape whose box meets `area` (an OGR spatial
    // filter; attributes are not read). Stops early when `visit` returns false.
    void shapesWithin(const Box& area, const std::function<bool(const OGRGeometry&, std::int64_t fid)>& visit);
    // The same with the text of one attribute field (its OGR index) for
    // labels; the text is "" when the value is Null.
    void labelledShapesWithin(const Box& area, int ogrField,
                              const std::function<bool(const OGRGeometry&, std::int64_t fid, const char* text)>& visit);

    // Feature searches by object-ID list record each feature they hand out here.
    void setHandOuts(std::shared_ptr<HandedOutFeatures> record) { m_handOuts = std::move(record); }

    // What the server told about the table; cursors of this table keep and
    // reuse its column's runs there (guarded by its own lock).
    [[nodiscard]] PgTableFacts& pgFacts() const noexcept { return m_pgFacts; }
    [[nodiscard]] const LayerSchema& schema() const noexcept { return *m_schema; }
    [[nodiscard]] const std::shared_ptr<DataSource>& source() const noexcept { return m_source; }

private:
    std::int32_t count(const host::Ref<host::IQueryFilter>& filter);

    std::shared_ptr<DataSource> m_source;
    std::shared_ptr<const LayerSchema> m_schema;
    std::mutex m_onceMutex;  // guards the two values read once
    std::optional<std::optional<Box>> m_extent;
    std::optional<std::int64_t> m_featureTotal;
    mutable PgTableFacts m_pgFacts;  // used on PostgreSQL only
    std::shared_ptr<HandedOutFeatures> m_handOuts;
};

} // namespace corvane::gdal
