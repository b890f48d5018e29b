#pragma once
// Tables, fields, rows, cursors and query filters of the host object model.
// All calls run on the host's UI thread. An empty Ref from NextRow or
// NextFeature means the cursor is at its end.

#include <cstdint>
#include <string>

#include "host/Geometry.h"
#include "host/Ref.h"
#include "host/Variant.h"

namespace corvane::host {

// esriFieldType codes.
enum FieldType : std::int32_t {
    esriFieldTypeSmallInteger = 0,
    esriFieldTypeInteger = 1,
    esriFieldTypeSingle = 2,
    esriFieldTypeDouble = 3,
    esriFieldTypeString = 4,
    esriFieldTypeDate = 5,
    esriFieldTypeOID = 6,
    esriFieldTypeGeometry = 7,
    esriFieldTypeBlob = 8,
    esriFieldTypeRaster = 9,
    esriFieldTypeGUID = 10,
    esriFieldTypeGlobalID = 11,
    esriFieldTypeXML = 12,
};

struct IField : virtual HostObject {
    virtual std::string Name() = 0;
    virtual std::int32_t Type() = 0;
};

struct IFields : virtual HostObject {
    virtual std::int32_t FieldCount() = 0;
    virtual Ref<IField> Field(std::int32_t index) = 0;
};

struct IQueryFilter : virtual HostObject {
    virtual std::string WhereClause() = 0;
    virtual void WhereClause(const std::string& clause) = 0;
};

struct IRow : virtual HostObject {
    virtual std::int32_t OID() = 0;
    virtual Variant Value(std::int32_t index) = 0;
};

struct ICursor : virtual HostObject {
    virtual Ref<IRow> NextRow() = 0;
    virtual std::int32_t FindField(const std::string& name) = 0;
};

struct IFeature : IRow {
    virtual Ref<IGeometry> Shape() = 0;
};

struct IFeatureCursor : virtual HostObject {
    virtual Ref<IFeature> NextFeature() = 0;
};

// Shared by tables and feature classes.
struct IClass : virtual HostObject {
    // 0-based index, -1 when absent. Names compare ignoring case.
    virtual std::int32_t FindField(const std::string& name) = 0;
    virtual Ref<IFields> Fields() = 0;
    virtual bool HasOID() = 0;
    virtual std::string OIDFieldName() = 0;
};

struct ITable : virtual IClass {
    // An empty filter means all rows.
    virtual Ref<ICursor> Search(const Ref<IQueryFilter>& filter, bool recycling) = 0;
    virtual std::int32_t RowCount(const Ref<IQueryFilter>& filter) = 0;
};

struct IFeatureClass : virtual IClass {
    virtual std::int32_t FeatureCount(const Ref<IQueryFilter>& filter) = 0;
};

} // namespace corvane::host
