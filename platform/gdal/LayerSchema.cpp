#include "gdal/LayerSchema.h"

#include <strings.h>

#include "gdal/PgWhereClause.h"
#include "gdal/SpatialReference.h"
#include "host/HostError.h"

namespace corvane::gdal {

namespace {

constexpr const char* kDefaultOidName = "FID";
constexpr const char* kDefaultShapeName = "Shape";

bool usesSqlite(const std::string& driverName) { return driverName == "GPKG" || driverName == "SQLite"; }

bool usesPostgres(const std::string& driverName) { return driverName == "PostgreSQL"; }

} // namespace

std::int32_t esriFieldType(const OGRFieldDefn& field)
{
    switch (field.GetType()) {
    case OFTInteger:
        return field.GetSubType() == OFSTInt16 ? host::esriFieldTypeSmallInteger : host::esriFieldTypeInteger;
    case OFTInteger64: return host::esriFieldTypeInteger;
    case OFTReal: return field.GetSubType() == OFSTFloat32 ? host::esriFieldTypeSingle : host::esriFieldTypeDouble;
    case OFTDate:
    case OFTDateTime: return host::esriFieldTypeDate;
    case OFTBinary: return host::esriFieldTypeBlob;
    default: return host::esriFieldTypeString;
    }
}

std::shared_ptr<const LayerSchema> LayerSchema::read(OGRLayer& layer, const std::string& driverName)
{
    auto schema = std::make_shared<LayerSchema>();
    OGRFeatureDefn* definition = layer.GetLayerDefn();
    schema->layerName = layer.GetName();
    const char* fidColumn = layer.GetFIDColumn();
    schema->oidFieldName = fidColumn != nullptr && *fidColumn != '\0' ? fidColumn : kDefaultOidName;
    schema->dateStyle =
        usesSqlite(driverName) || usesPostgres(driverName) ? DateLiteralStyle::Iso : DateLiteralStyle::OgrSql;
    if (usesPostgres(driverName)) schema->dialect = ClauseDialect::PostgreSql;

    schema->fields.push_back({schema->oidFieldName, host::esriFieldTypeOID, FieldInfo::Kind::ObjectId, -1});
    // The host shows one shape per feature: the first geometry field.
    if (definition->GetGeomFieldCount() > 0) {
        const OGRGeomFieldDefn* geometryField = definition->GetGeomFieldDefn(0);
        const char* name = geometryField->GetNameRef();
        schema->hasGeometry = true;
        schema->geometryType = geometryField->GetType();
        schema->srs = srsOf(geometryField->GetSpatialRef());
        schema->fields.push_back({name != nullptr && *name != '\0' ? name : kDefaultShapeName,
                                  host::esriFieldTypeGeometry, FieldInfo::Kind::Geometry, 0});
    }
    schema->clauseFieldNames.push_back(schema->oidFieldName);
    for (int i = 0; i < definition->GetFieldCount(); ++i) {
        const OGRFieldDefn* field = definition->GetFieldDefn(i);
        schema->fields.push_back({field->GetNameRef(), esriFieldType(*field), FieldInfo::Kind::Attribute, i});
        schema->clauseFieldNames.emplace_back(field->GetNameRef());
    }
    return schema;
}

std::int32_t LayerSchema::findField(const std::string& name) const
{
    // C string comparison would stop at a NUL and take "ADDNUM<NUL>x" for ADDNUM.
    if (name.find('\0') != std::string::npos) return -1;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].name.size() == name.size() && strcasecmp(fields[i].name.c_str(), name.c_str()) == 0) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

std::string LayerSchema::driverClause(const std::string& clause) const
{
    requireNoNulByte(clause);
    if (dialect == ClauseDialect::PostgreSql) return translatePostgresClause(clause, *this);
    return translateWhereClause(quoteFieldNames(clause, clauseFieldNames, dateStyle), dateStyle);
}

const FieldInfo& LayerSchema::field(std::int32_t index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= fields.size()) {
        host::raiseError(host::errors::kHostCallFailed,
                         "Field index " + std::to_string(index) + " is out of range for " + layerName);
    }
    return fields[static_cast<std::size_t>(index)];
}

std::int32_t GdalFields::FieldCount() { return static_cast<std::int32_t>(m_schema->fields.size()); }

host::Ref<host::IField> GdalFields::Field(std::int32_t index)
{
    const FieldInfo& info = m_schema->field(index);
    return host::makeRef<GdalField>(info.name, info.type);
}

} // namespace corvane::gdal
