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

std::optional<std::int32_t> detail::lookUpFieldType(const std::string& layerName, const std::string& fieldName)
{
    int line = 0;
    try {
        line = 10;
        const std::optional<Ref<IFeatureLayer>> found = findFeatureLayer(layerName);
        if (!found) return std::nullopt;
        const Ref<IFeatureLayer>& layer = *found;
        line = 20;
        if (!layer) return 0;
        line = 30;
        const Ref<ITable> table = layerTable(layer);
        line = 40;
        const std::int32_t index = table->FindField(fieldName);
        line = 50;
        if (index < 0) return 0;
        line = 60;
        return table->Fields()->Field(index)->Type();
    } catch (...) {
        corvane::errors::reportTrappedError("GetFieldType ", kModuleName, line);
        return 0;
    }
}

std::int32_t GetFieldType(const std::string& layerName, const std::string& fieldName)
{
    return detail::lookUpFieldType(layerName, fieldName).value_or(0);
}

std::string FormatQueryValue(const std::string& layerName, const std::string& fieldName, const std::string& value)
{
    int line = 0;
    try {
        line = 10;
        const std::string escaped = EscapeSingleQuotes(value);
        // Each test asks the host again, so a failing lookup is reported twice.
        // A layer look-up that failed has shown its message: the value must
        // not go on undelimited into a where clause.
        line = 20;
        const std::optional<std::int32_t> type = detail::lookUpFieldType(layerName, fieldName);
        if (!type) return {};
        if (*type == esriFieldTypeString) return "'" + escaped + "'";
        line = 30;
        const std::optional<std::int32_t> typeAgain = detail::lookUpFieldType(layerName, fieldName);
        if (!typeAgain) return {};
        if (*typeAgain == esriFieldTypeDate) return "#" + escaped + "#";
        line = 40;
        return escaped;
    } catch (...) {
        corvane::errors::reportTrappedError("FormatQueryValue ", detail::kModuleName, line);
        return {};
    }
}

} // namespace CorvaneGIS_ArcMap
