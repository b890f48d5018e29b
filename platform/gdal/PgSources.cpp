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

// A libpq value: bare when it is a plain word, else in single quotes with
// quotes and backslashes escaped.
std::string connectionQuoted(const std::string& value)
{
    const bool plain = !value.empty() && std::all_of(value.begin(), value.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '-' || c == '/' || c == ',';
    });
    if (plain) return value;
    std::string quoted = "'";
    for (const char c : value) {
        if (c == '\'' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "'";
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

namespace corvane::gdal {

std::string postgresConnection(const DatabaseLogin& login, const std::vector<std::string>& tables)
{
    std::string connection = "PG:";
    const auto add = [&](const char* keyword, const std::string& value) {
        if (value.empty()) return;
        if (connection.size() > 3) connection += ' ';
        connection += std::string(keyword) + "=" + connectionQuoted(value);
    };
    add("host", login.host);
    add("port", login.port);
    add("dbname", login.database);
    add("user", login.user);
    std::string list;
    for (const auto& table : tables) list += (list.empty() ? "" : ",") + table;
    add("tables", list);
    return connection;
}

std::vector<DatabaseTable> listDatabaseTables(const DatabaseLogin& login)
{
    const std::string connection = postgresConnection(login);
    GDALDatasetUniquePtr dataset = openDataset(connection, GDAL_OF_VECTOR, postgresOpenOptions({}));
    std::vector<DatabaseTable> tables;
    for (int i = 0; i < dataset->GetLayerCount(); ++i) {
        OGRLayer* layer = dataset->GetLayer(i);
        if (layer == nullptr) continue;
        tables.push_back({layer->GetName(), layer->GetLayerDefn()->GetGeomFieldCount() > 0});
    }
    std::stable_sort(tables.begin(), tables.end(), [](const DatabaseTable& a, const DatabaseTable& b) {
        if (a.hasShapes != b.hasShapes) return a.hasShapes;
        return a.name < b.name;
    });
    return tables;
}

} // namespace corvane::gdal
