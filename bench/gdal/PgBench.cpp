#include "PgBench.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchWorld.h"
#include "Measure.h"
#include "PgCluster.h"
#include "mapdata/CorvaneGIS_ArcMap.h"
#include "towngen/TownWriter.h"

namespace corvane::bench {

namespace {

namespace ArcMap = CorvaneGIS_ArcMap;

constexpr const char* kLayer = towngen::kParcelLayer;
constexpr const char* kStreet = towngen::kStreetField;
constexpr const char* kNumber = towngen::kNumberField;
constexpr const char* kIndexes = "CREATE INDEX IF NOT EXISTS parcels_stname ON parcels (stname);"
                                 "CREATE INDEX IF NOT EXISTS parcels_stname_addnum ON parcels (stname, addnum); ANALYZE parcels";

std::string streetClause(const std::string& street)
{
    return std::string(kStreet) + " = " + ArcMap::FormatQueryValue(kLayer, kStreet, street);
}

std::string addressClause(const std::string& street, const std::string& number)
{
    return streetClause(street) + " AND " + kNumber + " = " + ArcMap::FormatQueryValue(kLayer, kNumber, number);
}

struct Times {
    std::vector<double> ours;
    std::vector<double> tool;
};

void row(const char* what, double ours, double other, const char* otherName)
{
    if (other <= 0) {
        std::printf("%-34s %10.2f ms\n", what, ours * 1e3);
        return;
    }
    std::printf("%-34s %10.2f ms %10.2f ms %-18s %6.2f\n", what, ours * 1e3, other * 1e3, otherName, ours / other);
}

// The server's own execution time of a statement, from EXPLAIN ANALYZE.
double serverSeconds(const testing::PgCluster& cluster, const std::string& database, const std::string& statement)
{
    const std::string plan = cluster.query(database, "EXPLAIN (ANALYZE, TIMING OFF) " + statement);
    const auto at = plan.find("Execution Time: ");
    return at == std::string::npos ? 0.0 : std::strtod(plan.c_str() + at + 16, nullptr) / 1e3;
}

struct Picks {
    Times street;
    Times address;
    int found = 0;
};

Picks pick(BenchWorld& world, const PgBenchInput& input, const std::string& connection)
{
    Picks picks;
    for (int run = 0; run < input.runs; ++run) {
        const std::string& street = input.picks[static_cast<std::size_t>(run) % input.picks.size()];
        const std::string number = std::to_string(2 * run + 3);
        picks.street.ours.push_back(secondsOf([&] {
            auto cursor = ArcMap::GetCursorByQuery(kLayer, streetClause(street));
            ArcMap::LoadListWithUniqueFieldValuesFromCursor(cursor, kNumber, world.numbers());
        }));
        picks.address.ours.push_back(secondsOf([&] {
            auto layer = ArcMap::GetFeatureLayerByName(kLayer);
            auto cursor = ArcMap::GetFeatureCursorByQuery(layer, addressClause(street, number));
            if (!cursor) return;
            auto feature = cursor->NextFeature();
            ArcMap::ZoomToFeaturePlus(feature, 0.2);
            if (feature) ++picks.found;
        }));
        if (input.haveTool) {
            picks.address.tool.push_back(secondsOf([&] {
                (void)runQuietly(input.ogrinfo, {"-ro", "-q", "-where", addressClause(street, number), connection, "parcels"});
            }));
        }
    }
    return picks;
}

} // namespace

int benchPostgres(const PgBenchInput& input)
{
    testing::PgCluster cluster(input.dataFolder + "/pg-cluster");
    const std::string database = "bench_" + std::to_string(input.parcels) + "_" + std::to_string(input.streets);
    if (!cluster.hasDatabase(database)) {
        std::printf("loading %s into the private server ...", input.geoPackage.c_str());
        std::fflush(stdout);
        const double took = secondsOf([&] {
            cluster.createDatabase(database);
            cluster.load(database, input.geoPackage, {"Parcels"});
            cluster.sql(database, kIndexes);
            cluster.sql(database, "VACUUM ANALYZE parcels");  // as after any bulk load
        });
        std::printf(" %.1f s\n", took);
    }
    const std::string connection = cluster.connection(database);
    // The first list of a map just opened, after a commit on the server:
    // nothing is known yet, so the rows are counted, then grouped.
    std::vector<double> cold;
    for (int run = 0; run < input.runs; ++run) {
        BenchWorld fresh(connection);
        cluster.sql(database, "SELECT txid_current()");
        cold.push_back(
            secondsOf([&] { ArcMap::LoadListWithUniqueFieldValues(kLayer, kStreet, fresh.streets(), true, nullptr); }));
    }
    BenchWorld world(connection);
    std::printf("PostgreSQL: %lld parcels, %lld streets, median of %d runs\n", static_cast<long long>(input.parcels),
                static_cast<long long>(input.streets), input.runs);

    const std::string distinct = "SELECT DISTINCT stname FROM parcels";
    Times list;
    std::vector<double> server;
    for (int run = 0; run < input.runs; ++run) {
        list.ours.push_back(
            secondsOf([&] { ArcMap::LoadListWithUniqueFieldValues(kLayer, kStreet, world.streets(), true, nullptr); }));
        if (input.haveTool) {
            list.tool.push_back(secondsOf([&] { (void)runQuietly(input.ogrinfo, {"-ro", "-q", connection, "-sql", distinct}); }));
        }
        server.push_back(serverSeconds(cluster, database, distinct));
    }
    const int listed = world.streets().ListCount();
    row("street list (PostgreSQL)", median(list.ours), input.haveTool ? median(list.tool) : 0, "ogrinfo DISTINCT");
    row("  same list", median(list.ours), median(server), "server DISTINCT");
    // The routine counts the parcels for its progress bar before it reads
    // them. The count is kept while nothing is committed on the server; a
    // committed transaction anywhere on it means counting again.
    std::vector<double> counts;
    std::vector<double> recounts;
    Times written;
    const auto countParcels = [] { (void)ArcMap::GetFeatureLayerByName(kLayer)->FeatureClass()->FeatureCount(nullptr); };
    for (int run = 0; run < input.runs; ++run) {
        counts.push_back(secondsOf(countParcels));
        cluster.sql(database, "SELECT txid_current()");
        recounts.push_back(secondsOf(countParcels));
        cluster.sql(database, "SELECT txid_current()");
        written.ours.push_back(
            secondsOf([&] { ArcMap::LoadListWithUniqueFieldValues(kLayer, kStreet, world.streets(), true, nullptr); }));
    }
    row("  of which the parcel count", median(counts), median(server), "server DISTINCT");
    row("street list, server written to", median(written.ours), input.haveTool ? median(list.tool) : 0,
        "ogrinfo DISTINCT");
    row("  same list", median(written.ours), median(server), "server DISTINCT");
    row("  of which the parcel count", median(recounts), median(server), "server DISTINCT");
    row("street list, first in a new map", median(cold), input.haveTool ? median(list.tool) : 0, "ogrinfo DISTINCT");
    row("  same list", median(cold), median(server), "server DISTINCT");

    const Picks indexed = pick(world, input, connection);
    row("street pick, indexed", median(indexed.street.ours), 0, "");
    row("address pick, indexed", median(indexed.address.ours), input.haveTool ? median(indexed.address.tool) : 0,
        "ogrinfo -where");

    cluster.sql(database, "DROP INDEX parcels_stname; DROP INDEX parcels_stname_addnum");
    const Picks bare = pick(world, input, connection);
    cluster.sql(database, kIndexes);
    row("street pick, no street index", median(bare.street.ours), 0, "");
    row("address pick, no street index", median(bare.address.ours), input.haveTool ? median(bare.address.tool) : 0,
        "ogrinfo -where");

    std::printf("checks: %d streets listed, %d + %d of %d addresses found\n", listed, indexed.found, bare.found,
                input.runs);
    if (world.messageCount() > 0) std::printf("message: %s\n", world.lastMessage().c_str());
    return world.messageCount() == 0 && listed > 0 ? 0 : 1;
}

} // namespace corvane::bench
