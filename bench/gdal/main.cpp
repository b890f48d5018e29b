// bench_gdal: the street list, street pick and address pick of the search
// dialog, run by the system's own routines through the GDAL host on a
// generated town, side by side with GDAL's ogrinfo on the same file.
//
//   bench_gdal [--parcels N] [--streets M] [--runs R] [--data DIR] [--ogrinfo PATH] [--pg]
//
// --pg measures the parcels in a PostgreSQL table instead (PgBench.h).

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "BenchWorld.h"
#include "Measure.h"
#ifdef CORVANE_BENCH_WITH_PG
#include "PgBench.h"
#endif
#include "mapdata/CorvaneGIS_ArcMap.h"
#include "towngen/TownWriter.h"

#ifndef CORVANE_BENCH_DATA_DIR
#define CORVANE_BENCH_DATA_DIR "."
#endif

namespace {

using namespace corvane;
namespace ArcMap = CorvaneGIS_ArcMap;

constexpr const char* kLayer = towngen::kParcelLayer;
constexpr const char* kStreet = towngen::kStreetField;
constexpr const char* kNumber = towngen::kNumberField;

struct Options {
    std::int64_t parcels = 1000000;
    std::int64_t streets = 5000;
    int runs = 5;
    std::string data = CORVANE_BENCH_DATA_DIR;
    std::string ogrinfo = "ogrinfo";
};

bool parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        const std::string_view value = argv[i + 1];
        std::int64_t number = 0;
        const bool numeric = std::from_chars(value.data(), value.data() + value.size(), number).ec == std::errc() && number > 0;
        if (option == "--parcels" && numeric) options.parcels = number;
        else if (option == "--streets" && numeric) options.streets = number;
        else if (option == "--runs" && numeric) options.runs = static_cast<int>(number);
        else if (option == "--data") options.data = value;
        else if (option == "--ogrinfo") options.ogrinfo = value;
        else return false;
    }
    return argc % 2 == 1;
}

struct Files {
    std::string geoPackage;
    std::string shapefile;
};

Files ensureTown(const Options& options)
{
    const std::string stem = options.data + "/bench-town-" + std::to_string(options.parcels) + "-" +
                             std::to_string(options.streets);
    const Files files{stem + ".gpkg", stem + "-shp/Parcels.shp"};
    std::filesystem::create_directories(options.data);
    const towngen::TownSize size{options.parcels, options.streets, 1};
    if (!std::filesystem::exists(files.geoPackage)) {
        std::printf("generating %s ...", files.geoPackage.c_str());
        std::fflush(stdout);
        const double took = bench::secondsOf([&] { towngen::writeTown(size, towngen::Format::GeoPackage, files.geoPackage); });
        std::printf(" %.1f s\n", took);
    }
    if (!std::filesystem::exists(files.shapefile)) {
        std::printf("generating %s ...", (stem + "-shp").c_str());
        std::fflush(stdout);
        const double took = bench::secondsOf([&] { towngen::writeTown(size, towngen::Format::Shapefile, stem + "-shp"); });
        std::printf(" %.1f s\n", took);
    }
    return files;
}

struct Pair {
    std::vector<double> ours;
    std::vector<double> tool;
};

void report(const char* what, const Pair& pair, bool haveTool)
{
    const double ours = bench::median(pair.ours);
    if (!haveTool) {
        std::printf("%-28s %10.2f ms %14s %8s\n", what, ours * 1e3, "-", "-");
        return;
    }
    const double tool = bench::median(pair.tool);
    std::printf("%-28s %10.2f ms %11.2f ms %8.2f\n", what, ours * 1e3, tool * 1e3, tool > 0 ? ours / tool : 0.0);
}

double timeTool(const Options& options, const std::vector<std::string>& args, bool& ok)
{
    int status = 0;
    const double took = bench::secondsOf([&] { status = bench::runQuietly(options.ogrinfo, args); });
    if (status != 0) ok = false;
    return took;
}

std::string streetClause(const std::string& street)
{
    return std::string(kStreet) + " = " + ArcMap::FormatQueryValue(kLayer, kStreet, street);
}

std::string addressClause(const std::string& street, const std::string& number)
{
    return streetClause(street) + " AND " + kNumber + " = " + ArcMap::FormatQueryValue(kLayer, kNumber, number);
}

// The address pick of the search dialog: clause, object-ID list, first feature, zoom.
bool pickAddress(const std::string& street, const std::string& number)
{
    auto layer = ArcMap::GetFeatureLayerByName(kLayer);
    auto cursor = ArcMap::GetFeatureCursorByQuery(layer, addressClause(street, number));
    if (!cursor) return false;
    auto feature = cursor->NextFeature();
    ArcMap::ZoomToFeaturePlus(feature, 0.2);
    return static_cast<bool>(feature);
}

Pair addressPicks(bench::BenchWorld& world, const Options& options, const std::string& file,
                  const std::vector<std::string>& picks, bool& toolOk, int& found)
{
    Pair pair;
    for (int run = 0; run < options.runs; ++run) {
        const std::string& street = picks[static_cast<std::size_t>(run) % picks.size()];
        const std::string number = std::to_string(2 * run + 3);
        pair.ours.push_back(bench::secondsOf([&] { found += pickAddress(street, number) ? 1 : 0; }));
        (void)world;
        pair.tool.push_back(timeTool(options, {"-ro", "-q", "-where", addressClause(street, number), file, kLayer}, toolOk));
    }
    return pair;
}

// The floor under any row cursor: OGR reading the street of every feature,
// geometry and the other fields skipped, into a set.
double ogrScan(const std::string& path)
{
    GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    OGRLayer* layer = dataset ? dataset->GetLayerByName(kLayer) : nullptr;
    if (layer == nullptr) return 0.0;
    std::vector<const char*> ignored{"OGR_GEOMETRY", "OGR_STYLE"};
    OGRFeatureDefn* definition = layer->GetLayerDefn();
    for (int i = 0; i < definition->GetFieldCount(); ++i) {
        if (std::string_view(definition->GetFieldDefn(i)->GetNameRef()) != kStreet) {
            ignored.push_back(definition->GetFieldDefn(i)->GetNameRef());
        }
    }
    ignored.push_back(nullptr);
    if (layer->SetIgnoredFields(ignored.data()) != OGRERR_NONE) return 0.0;
    const int field = definition->GetFieldIndex(kStreet);
    std::unordered_set<std::string> seen;
    return bench::secondsOf([&] {
        for (OGRFeatureUniquePtr feature(layer->GetNextFeature()); feature; feature.reset(layer->GetNextFeature())) {
            seen.emplace(feature->GetFieldAsString(field));
        }
    });
}

// The adapter alone: its row cursor over every parcel, the street read as
// the host's value, into a set (the routine's list and progress left out).
double cursorScan()
{
    auto layer = ArcMap::GetFeatureLayerByName(kLayer);
    auto table = layer.as<host::IDisplayTable>()->DisplayTable();
    const std::int32_t field = table->FindField(kStreet);
    std::unordered_set<std::string> seen;
    return bench::secondsOf([&] {
        auto cursor = table->Search(nullptr, false);
        for (auto row = cursor->NextRow(); row; row = cursor->NextRow()) {
            const host::Variant value = row->Value(field);
            if (value.isText()) seen.insert(std::get<std::string>(value.storage()));
        }
    });
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    std::vector<char*> args(argv, argv + argc);
    const auto pgFlag = std::find_if(args.begin(), args.end(), [](const char* arg) { return std::string_view(arg) == "--pg"; });
    const bool postgres = pgFlag != args.end();
    if (postgres) args.erase(pgFlag);
    argc = static_cast<int>(args.size());
    argv = args.data();
    if (!parse(argc, argv, options)) {
        std::fputs("usage: bench_gdal [--parcels N] [--streets M] [--runs R] [--data DIR] [--ogrinfo PATH] [--pg]\n", stderr);
        return 2;
    }
    try {
        const Files files = ensureTown(options);
        const auto names = towngen::streetNames(options.streets, 1);
        std::vector<std::string> picks;
        for (int run = 0; run < options.runs; ++run) {
            picks.push_back(names[static_cast<std::size_t>(run) * names.size() / static_cast<std::size_t>(options.runs)]);
        }
        const bool haveTool = bench::runQuietly(options.ogrinfo, {"--version"}) == 0;
#ifdef CORVANE_BENCH_WITH_PG
        if (postgres) {
            return bench::benchPostgres({files.geoPackage, options.data, options.ogrinfo, haveTool, options.runs,
                                         options.parcels, options.streets, picks});
        }
#else
        if (postgres) {
            std::fputs("bench_gdal: built without a PostgreSQL server to run\n", stderr);
            return 2;
        }
#endif
        bool toolOk = true;
        std::printf("bench_gdal: %lld parcels, %lld streets, median of %d runs%s\n",
                    static_cast<long long>(options.parcels), static_cast<long long>(options.streets), options.runs,
                    haveTool ? "" : " (ogrinfo not found: ours only)");
        std::printf("%-28s %13s %14s %8s\n", "", "ours", "ogrinfo", "ratio");

        bench::BenchWorld world(files.geoPackage);

        // Street list, its first run measured for memory as well.
        Pair list;
        bench::Memory before;
        bench::Memory after;
        const bool peakReset = bench::resetPeakMemory();
        before = bench::currentMemory();
        for (int run = 0; run < options.runs; ++run) {
            list.ours.push_back(bench::secondsOf(
                [&] { ArcMap::LoadListWithUniqueFieldValues(kLayer, kStreet, world.streets(), true, nullptr); }));
            if (run == 0) after = bench::currentMemory();
            if (haveTool) {
                list.tool.push_back(timeTool(
                    options, {"-ro", "-q", "-sql", std::string("SELECT DISTINCT ") + kStreet + " FROM " + kLayer, files.geoPackage},
                    toolOk));
            }
        }
        const int listed = world.streets().ListCount();
        report("street list (GeoPackage)", list, haveTool);
        std::vector<double> scans;
        for (int run = 0; run < options.runs; ++run) scans.push_back(ogrScan(files.geoPackage));
        std::printf("%-28s %10.2f ms %11.2f ms %8.2f\n", "  vs OGR scan in process", bench::median(list.ours) * 1e3,
                    bench::median(scans) * 1e3, bench::median(list.ours) / bench::median(scans));
        std::vector<double> cursors;
        for (int run = 0; run < options.runs; ++run) cursors.push_back(cursorScan());
        std::printf("%-28s %10.2f ms %11.2f ms %8.2f\n", "  adapter cursor vs OGR scan", bench::median(cursors) * 1e3,
                    bench::median(scans) * 1e3, bench::median(cursors) / bench::median(scans));

        Pair street;
        std::size_t numbers = 0;
        for (int run = 0; run < options.runs; ++run) {
            const std::string& name = picks[static_cast<std::size_t>(run)];
            street.ours.push_back(bench::secondsOf([&] {
                auto cursor = ArcMap::GetCursorByQuery(kLayer, streetClause(name));
                ArcMap::LoadListWithUniqueFieldValuesFromCursor(cursor, kNumber, world.numbers());
            }));
            numbers += static_cast<std::size_t>(world.numbers().ListCount());
            if (haveTool) street.tool.push_back(timeTool(options, {"-ro", "-q", "-where", streetClause(name), files.geoPackage, kLayer}, toolOk));
        }
        report("street pick (GeoPackage)", street, haveTool);

        int found = 0;
        report("address pick (GeoPackage)", addressPicks(world, options, files.geoPackage, picks, toolOk, found), haveTool);
        const std::size_t messagesSoFar = world.messageCount();

        int foundShp = 0;
        {
            bench::BenchWorld shapefile(files.shapefile);
            report("address pick (Shapefile)", addressPicks(shapefile, options, files.shapefile, picks, toolOk, foundShp),
                   haveTool);
            if (shapefile.messageCount() > 0) std::printf("message on the Shapefile: %s\n", shapefile.lastMessage().c_str());
        }

        std::printf("street list peak memory: %+.1f MB above the %.1f MB before the run%s\n",
                    static_cast<double>(after.peak - before.resident) / 1048576.0,
                    static_cast<double>(before.resident) / 1048576.0, peakReset ? "" : " (peak not reset: whole process)");
        std::printf("checks: %d streets listed, %zu numbers listed, %d + %d of %d addresses found\n", listed, numbers,
                    found, foundShp, options.runs);
        if (messagesSoFar > 0) std::printf("message: %s\n", world.lastMessage().c_str());
        if (!toolOk) std::printf("ogrinfo failed on some runs\n");
        return messagesSoFar == 0 && listed > 0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_gdal: %s\n", error.what());
        return 1;
    }
}
