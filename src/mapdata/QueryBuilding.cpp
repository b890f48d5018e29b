#include "errors/ErrorHandling.h"
#include "mapdata/ArcMapSupport.h"
#include "mapdata/CorvaneGIS_ArcMap.h"

namespace CorvaneGIS_ArcMap {

using namespace corvane::host;

std::string EscapeSingleQuotes(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        escaped += c;
        if (c == '\'') escaped += '\'';
    }
    return escaped;
}

std::int32_t GetFieldType(const std::string& layerName, const std::string& fieldName)
{
    int line = 0;
    try {
        line = 10;
        const Ref<IFeatureLayer> layer = GetFeatureLayerByName(layerName);
        line = 20;
        if (!layer) return 0;
        line = 30;
        const Ref<ITable> table = detail::layerTable(layer);
        line = 40;
        const std::int32_t index = table->FindField(fieldName);
        line = 50;
        if (index < 0) return 0;
        line = 60;
        return table->Fields()->Field(index)->Type();
    } catch (...) {
        corvane::errors::reportTrappedError("GetFieldType ", detail::kModuleName, line);
        return 0;
    }
}

std::string FormatQueryValue(const std::string& layerName, const std::string& fieldName, const std::string& value)
{
    int line = 0;
    try {
        line = 10;
        const std::string escaped = EscapeSingleQuotes(value);
        // Each test asks the host again, so a failing lookup is reported twice.
        line = 20;
        if (GetFieldType(layerName, fieldName) == esriFieldTypeString) return "'" + escaped + "'";
        line = 30;
        if (GetFieldType(layerName, fieldName) == esriFieldTypeDate) return "#" + escaped + "#";
        line = 40;
        return escaped;
    } catch (...) {
        corvane::errors::reportTrappedError("FormatQueryValue ", detail::kModuleName, line);
        return {};
    }
}

} // namespace CorvaneGIS_ArcMap
