#pragma once
// What a QGIS vector layer's table looks like to the host object model: its
// object-ID field (the provider's one-column primary key, or a stand-in name
// that where clauses may use when the provider has none), the "Shape" field
// of a layer with geometry, then the layer's attribute fields in the layer's
// order, each with its esriFieldType code. Read once per table object on the
// UI thread; the layer's fields are not watched afterwards.
//
//   auto schema = QgisSchema::read(*vectorLayer);
//   std::int32_t street = schema->findField("stname");   // -1 when absent
//   host::Variant v = attributeValue(feature.attribute(schema->field(street).layerIndex));

#include <QVariant>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/Tables.h"

class QgsField;
class QgsVectorLayer;

namespace corvane::qgis {

struct QgisFieldInfo {
    enum class Kind { ObjectId, Geometry, Attribute };
    std::string name;
    std::int32_t type = host::esriFieldTypeString;
    Kind kind = Kind::Attribute;
    int layerIndex = -1;  // the field's index in the layer's fields (an ID stand-in has none)
    bool holdsTime = false;  // a date field with a time of day
};

struct QgisSchema {
    std::string layerName;
    std::string oidFieldName;
    bool oidIsStandIn = false;  // no key field: the feature ID itself, written $id in expressions
    bool hasGeometry = false;
    std::vector<QgisFieldInfo> fields;

    static std::shared_ptr<const QgisSchema> read(QgsVectorLayer& layer);

    // 0-based index, -1 when absent; names compare ignoring case.
    [[nodiscard]] std::int32_t findField(const std::string& name) const;
    // Raises HostError for an index out of range.
    [[nodiscard]] const QgisFieldInfo& field(std::int32_t index) const;
    // The layer's field index of the attribute that a where clause names,
    // ignoring case; -1 when the clause names no attribute of this layer.
    [[nodiscard]] int layerIndexOf(const std::string& name) const;
};

// esriFieldType code of a QGIS field.
std::int32_t esriFieldType(const QgsField& field);

// A QGIS attribute value as the host hands it over: Null for a null value,
// numbers, text, dates; anything else as its text.
host::Variant attributeValue(const QVariant& value);

// A QGIS feature ID as the host's object ID; raises error 6 beyond 32 bits.
std::int32_t hostObjectId(std::int64_t featureId);

class QgisField final : public host::IField {
public:
    QgisField(std::string name, std::int32_t type) : m_name(std::move(name)), m_type(type) {}
    std::string Name() override { return m_name; }
    std::int32_t Type() override { return m_type; }

private:
    std::string m_name;
    std::int32_t m_type;
};

class QgisFields final : public host::IFields {
public:
    explicit QgisFields(std::shared_ptr<const QgisSchema> schema) : m_schema(std::move(schema)) {}
    std::int32_t FieldCount() override { return static_cast<std::int32_t>(m_schema->fields.size()); }
    host::Ref<host::IField> Field(std::int32_t index) override;

private:
    std::shared_ptr<const QgisSchema> m_schema;
};

} // namespace corvane::qgis
