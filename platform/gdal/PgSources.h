#pragma once
// What the map builder needs to know about PostgreSQL sources: GDAL
// connection strings ("PG:host=... dbname=...", "PG:service=..."), the
// open options that list tables without shapes as well, and how GDAL names
// a table of another schema ("schema.table").
//
//   if (isPostgresConnection(path)) options = postgresOpenOptions(options);
//   schemaOfLayer("zoning.parcels")  // "zoning"; "parcels" alone: "public"

#include <string>

#include "gdal/DataSource.h"

namespace corvane::gdal {

[[nodiscard]] bool isPostgresConnection(const std::string& path);

// The name a map shows for the database: its dbname, else its service,
// else the connection string without its password.
std::string connectionTitle(const std::string& connection);

// The caller's options, plus LIST_ALL_TABLES=YES unless they say otherwise:
// tables without shapes become plain layers, as in files.
OpenOptions postgresOpenOptions(OpenOptions options);

std::string schemaOfLayer(const std::string& layerName);
std::string tableOfLayer(const std::string& layerName);

// The value of `keyword` in a libpq connection string (quoted values
// unquoted), or empty.
std::string connectionValue(const std::string& connection, const std::string& keyword);

} // namespace corvane::gdal
