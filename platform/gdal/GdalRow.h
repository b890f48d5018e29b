#pragma once
// One row of a layer's table as a cursor hands it out. Rows of attribute
// cursors were read without their geometry; asking such a row for its
// Shape fetches the geometry by object ID.

#include <memory>
#include <vector>

#include <ogrsf_frmts.h>

#include "gdal/DataSource.h"
#include "gdal/LayerSchema.h"
#include "host/Tables.h"

namespace corvane::gdal {

// Which attribute fields a cursor reads (by OGR index), and which of them
// its caller has asked for so far.
struct FieldUse {
    std::vector<bool> used;
};
using LoadedFields = std::shared_ptr<const std::vector<bool>>;  // empty: all

// What every row of one cursor shares (one reference per row, not four).
struct RowContext {
    std::shared_ptr<DataSource> source;
    std::shared_ptr<const LayerSchema> schema;
    bool geometryRead = false;
    LoadedFields loaded;
    std::shared_ptr<FieldUse> use;  // empty once the cursor stopped watching
};

class GdalRow final : public host::IFeature {
public:
    GdalRow(std::shared_ptr<const RowContext> context, OGRFeatureUniquePtr feature)
        : m_context(std::move(context)), m_feature(std::move(feature))
    {
    }

    std::int32_t OID() override;
    host::Variant Value(std::int32_t index) override;
    // Empty when the feature has no shape (or its layer has none).
    host::Ref<host::IGeometry> Shape() override;

    // Lets a recycling cursor reuse this object for its next row.
    void reset(std::shared_ptr<const RowContext> context, OGRFeatureUniquePtr feature);
    [[nodiscard]] GIntBig fid() const { return m_feature->GetFID(); }

private:
    // Reads the whole feature again by its ID (fields the cursor skipped).
    void readWhole();

    std::shared_ptr<const RowContext> m_context;
    OGRFeatureUniquePtr m_feature;
    bool m_whole = false;  // read again in full by ID
};

// The host's 32-bit object ID of an OGR feature ID; raises when it does not fit.
std::int32_t objectId(GIntBig fid, const std::string& layerName);

// The feature of that ID with every field and its shape; raises when it
// cannot be read.
OGRFeatureUniquePtr readWholeFeature(DataSource& source, const LayerSchema& schema, GIntBig fid);

// A field value of an OGR feature as the host's variant.
host::Variant attributeValue(const OGRFeature& feature, int ogrIndex);

} // namespace corvane::gdal
