#pragma once
// What a layer's table looks like to the host: the object-ID field first,
// then the geometry field (as the host's "Shape" field), then the attribute
// fields in OGR order, each with its esriFieldType code.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <ogrsf_frmts.h>

#include "gdal/GdalGeometry.h"
#include "gdal/WhereClause.h"
#include "host/Tables.h"

namespace corvane::gdal {

struct FieldInfo {
    enum class Kind { ObjectId, Geometry, Attribute };
    std::string name;
    std::int32_t type = host::esriFieldTypeString;
    Kind kind = Kind::Attribute;
    int ogrIndex = -1;  // attribute or geometry field index in OGR
};

// Who reads a translated where clause: OGR's attribute filter (its own SQL,
// or SQLite's), or a PostgreSQL server that GDAL hands it to unchanged.
enum class ClauseDialect { Ogr, PostgreSql };

struct LayerSchema {
    std::string layerName;
    std::string oidFieldName;
    std::vector<FieldInfo> fields;
    bool hasGeometry = false;
    OGRwkbGeometryType geometryType = wkbNone;
    Srs srs;  // of the shapes; empty when the layer has none
    DateLiteralStyle dateStyle = DateLiteralStyle::OgrSql;
    // The names a where clause may use as fields: the object-ID field and
    // the attribute fields.
    std::vector<std::string> clauseFieldNames;
    ClauseDialect dialect = ClauseDialect::Ogr;

    // Built from the layer's definition; the driver decides the date style.
    static std::shared_ptr<const LayerSchema> read(OGRLayer& layer, const std::string& driverName);

    // 0-based index, -1 when absent; names compare ignoring case. A name
    // with a NUL byte is never found.
    [[nodiscard]] std::int32_t findField(const std::string& name) const;
    // Raises HostError for an index out of range.
    [[nodiscard]] const FieldInfo& field(std::int32_t index) const;
    // The clause as the driver is to read it: field names quoted, date
    // literals rewritten. Raises HostError as translateWhereClause does.
    [[nodiscard]] std::string driverClause(const std::string& clause) const;
};

// esriFieldType code of an OGR attribute field.
std::int32_t esriFieldType(const OGRFieldDefn& field);

class GdalField final : public host::IField {
public:
    GdalField(std::string name, std::int32_t type) : m_name(std::move(name)), m_type(type) {}
    std::string Name() override { return m_name; }
    std::int32_t Type() override { return m_type; }

private:
    std::string m_name;
    std::int32_t m_type;
};

class GdalFields final : public host::IFields {
public:
    explicit GdalFields(std::shared_ptr<const LayerSchema> schema) : m_schema(std::move(schema)) {}
    std::int32_t FieldCount() override;
    host::Ref<host::IField> Field(std::int32_t index) override;

private:
    std::shared_ptr<const LayerSchema> m_schema;
};

} // namespace corvane::gdal
