#include "qgis/QgisSchema.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <qgsfields.h>
#include <qgsvectordataprovider.h>
#include <qgsvectorlayer.h>
#include <strings.h>

#include <limits>

#include "host/HostError.h"

namespace corvane::qgis {

namespace {

constexpr const char* kStandInOidName = "FID";
constexpr const char* kShapeName = "Shape";

bool sameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

bool hasAttributeNamed(const QgsFields& fields, const std::string& name)
{
    for (int i = 0; i < fields.count(); ++i)
        if (sameName(fields.at(i).name().toStdString(), name)) return true;
    return false;
}

// A stand-in must not hide a real field of the same name.
std::string freeName(const QgsFields& fields, std::string name)
{
    while (hasAttributeNamed(fields, name)) name += '_';
    return name;
}

host::DateTime hostDate(const QDate& date, const QTime& time = QTime(0, 0))
{
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

} // namespace

std::int32_t esriFieldType(const QgsField& field)
{
    switch (field.type()) {
    case QVariant::Bool: return host::esriFieldTypeSmallInteger;
    case QVariant::Int:
    case QVariant::UInt:
    case QVariant::LongLong:
    case QVariant::ULongLong: return host::esriFieldTypeInteger;
    case QVariant::Double: return host::esriFieldTypeDouble;
    case QVariant::Date:
    case QVariant::DateTime: return host::esriFieldTypeDate;
    case QVariant::ByteArray: return host::esriFieldTypeBlob;
    default: return host::esriFieldTypeString;
    }
}

std::int32_t hostObjectId(std::int64_t featureId)
{
    if (featureId < std::numeric_limits<std::int32_t>::min() || featureId > std::numeric_limits<std::int32_t>::max())
        host::raiseError(6, "Overflow");
    return static_cast<std::int32_t>(featureId);
}

host::Variant attributeValue(const QVariant& value)
{
    if (value.isNull() || !value.isValid()) return host::Variant::null();
    switch (value.type()) {
    case QVariant::Bool: return host::Variant(value.toBool());
    case QVariant::Int:
    case QVariant::UInt:
    case QVariant::LongLong: return host::Variant(static_cast<std::int64_t>(value.toLongLong()));
    case QVariant::ULongLong: return host::Variant(static_cast<double>(value.toULongLong()));
    case QVariant::Double: return host::Variant(value.toDouble());
    case QVariant::Date: return host::Variant(hostDate(value.toDate()));
    case QVariant::DateTime: {
        const QDateTime dateTime = value.toDateTime();
        return host::Variant(hostDate(dateTime.date(), dateTime.time()));
    }
    default: return host::Variant(value.toString().toStdString());
    }
}

std::shared_ptr<const QgisSchema> QgisSchema::read(QgsVectorLayer& layer)
{
    auto schema = std::make_shared<QgisSchema>();
    schema->layerName = layer.name().toStdString();
    const QgsFields fields = layer.fields();
    QgsAttributeList keys;
    if (const QgsVectorDataProvider* provider = layer.dataProvider(); provider != nullptr)
        keys = provider->pkAttributeIndexes();
    const int keyIndex = keys.size() == 1 ? keys.front() : -1;

    if (keyIndex < 0) {
        schema->oidIsStandIn = true;
        schema->oidFieldName = freeName(fields, kStandInOidName);
        schema->fields.push_back({schema->oidFieldName, host::esriFieldTypeOID, QgisFieldInfo::Kind::ObjectId, -1, false});
    }
    schema->hasGeometry = layer.isSpatial();
    if (schema->hasGeometry && !hasAttributeNamed(fields, kShapeName))
        schema->fields.push_back({kShapeName, host::esriFieldTypeGeometry, QgisFieldInfo::Kind::Geometry, -1, false});
    for (int i = 0; i < fields.count(); ++i) {
        const QgsField& field = fields.at(i);
        QgisFieldInfo info{field.name().toStdString(), esriFieldType(field), QgisFieldInfo::Kind::Attribute, i,
                           field.type() == QVariant::DateTime};
        if (i == keyIndex) {
            info.type = host::esriFieldTypeOID;
            schema->oidFieldName = info.name;
        }
        schema->fields.push_back(std::move(info));
    }
    return schema;
}

std::int32_t QgisSchema::findField(const std::string& name) const
{
    // strcasecmp stops at a NUL: "ADDNUM<NUL>x" would be taken for ADDNUM.
    if (name.find('\0') != std::string::npos) return -1;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (sameName(fields[i].name, name)) return static_cast<std::int32_t>(i);
    return -1;
}

const QgisFieldInfo& QgisSchema::field(std::int32_t index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= fields.size()) {
        host::raiseError(host::errors::kHostCallFailed,
                         "Field index " + std::to_string(index) + " is out of range for " + layerName);
    }
    return fields[static_cast<std::size_t>(index)];
}

int QgisSchema::layerIndexOf(const std::string& name) const
{
    for (const QgisFieldInfo& info : fields)
        if (info.kind == QgisFieldInfo::Kind::Attribute && sameName(info.name, name)) return info.layerIndex;
    return -1;
}

host::Ref<host::IField> QgisFields::Field(std::int32_t index)
{
    const QgisFieldInfo& info = m_schema->field(index);
    return host::makeRef<QgisField>(info.name, info.type);
}

} // namespace corvane::qgis
