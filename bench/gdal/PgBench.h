#pragma once
// bench_gdal --pg: the street list, street pick and address pick with the
// town's parcels in a PostgreSQL table, side by side with ogrinfo on the same
// table and with the server's own time for SELECT DISTINCT. The table is
// built once, in a private cluster kept under the benchmark's data folder.

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::bench {

struct PgBenchInput {
    std::string geoPackage;  // the generated town to copy into the server
    std::string dataFolder;
    std::string ogrinfo;
    bool haveTool = false;
    int runs = 5;
    std::int64_t parcels = 0;
    std::int64_t streets = 0;
    std::vector<std::string> picks;  // street names to pick, one per run
};

// Prints the table; returns the process exit status (0 when every pick found
// its parcel and no message was shown).
int benchPostgres(const PgBenchInput& input);

} // namespace corvane::bench
