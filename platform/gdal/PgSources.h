#pragma once
// What the map builder needs to know about PostgreSQL sources: GDAL
// connection strings ("PG:host=... dbname=...", "PG:service=..."), the
// open options that list tables without shapes as well, and how GDAL names
// a table of another schema ("schema.table").
//
//   if (isPostgresConnection(path)) options = postgresOpenOptions(options);
//   schemaOfLayer("zoning.parcels")  // "zoning"; "parcels" alone: "public"

#include <string>
#include <vector>

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

// What the Add Database Layers dialog asks for. No password: libpq takes it
// from the user's ~/.pgpass or service file, so it is never kept by us.
struct DatabaseLogin {
    std::string host;  // a name, an address, or a socket folder; empty: libpq's default
    std::string port;
    std::string database;
    std::string user;
};

// "PG:host=... port=... dbname=... user=..." with each value quoted as libpq
// reads it, and "tables=a,b" when tables are given (GDAL's names).
std::string postgresConnection(const DatabaseLogin& login, const std::vector<std::string>& tables = {});

struct DatabaseTable {
    std::string name;        // as GDAL names it: "table", or "schema.table"
    bool hasShapes = false;
};

// The tables and views a login can list, spatial ones first, each group in
// name order. Raises HostError (with the server's message, naming the
// database) when the connection fails.
std::vector<DatabaseTable> listDatabaseTables(const DatabaseLogin& login);

} // namespace corvane::gdal
