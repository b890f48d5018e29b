#include "gdal/PgSources.h"

#include <algorithm>
#include <cctype>

namespace corvane::gdal {

namespace {

bool startsWithIgnoringCase(const std::string& text, const std::string& prefix)
{
    if (text.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
    });
}

} // namespace

bool isPostgresConnection(const std::string& path)
{
    return startsWithIgnoringCase(path, "PG:") || startsWithIgnoringCase(path, "PostgreSQL:");
}

std::string connectionValue(const std::string& connection, const std::string& keyword)
{
    std::size_t pos = connection.find(':');
    pos = pos == std::string::npos ? 0 : pos + 1;
    while (pos < connection.size()) {
        while (pos < connection.size() && (connection[pos] == ' ' || connection[pos] == '"')) ++pos;
        const std::size_t equals = connection.find('=', pos);
        if (equals == std::string::npos) return {};
        std::string key = connection.substr(pos, equals - pos);
        while (!key.empty() && key.back() == ' ') key.pop_back();
        pos = equals + 1;
        while (pos < connection.size() && connection[pos] == ' ') ++pos;
        std::string value;
        if (pos < connection.size() && connection[pos] == '\'') {
            for (++pos; pos < connection.size() && connection[pos] != '\''; ++pos) {
                if (connection[pos] == '\\' && pos + 1 < connection.size()) ++pos;
                value += connection[pos];
            }
            ++pos;
        } else {
            while (pos < connection.size() && connection[pos] != ' ' && connection[pos] != '"') value += connection[pos++];
        }
        if (key == keyword) return value;
    }
    return {};
}

std::string connectionTitle(const std::string& connection)
{
    for (const char* keyword : {"dbname", "service"}) {
        std::string value = connectionValue(connection, keyword);
        if (!value.empty()) return value;
    }
    return displayPath(connection);
}

OpenOptions postgresOpenOptions(OpenOptions options)
{
    const bool chosen = std::any_of(options.driverOptions.begin(), options.driverOptions.end(),
                                    [](const std::string& o) { return startsWithIgnoringCase(o, "LIST_ALL_TABLES="); });
    if (!chosen) options.driverOptions.emplace_back("LIST_ALL_TABLES=YES");
    return options;
}

std::string schemaOfLayer(const std::string& layerName)
{
    const auto dot = layerName.find('.');
    return dot == std::string::npos ? std::string("public") : layerName.substr(0, dot);
}

std::string tableOfLayer(const std::string& layerName)
{
    const auto dot = layerName.find('.');
    return dot == std::string::npos ? layerName : layerName.substr(dot + 1);
}

} // namespace corvane::gdal
