// bench_gdal: the street list, street pick and address pick of the search
// dialog, run by the system's own routines through the GDAL host, side by
// side with GDAL's ogrinfo on the same file and with the in-process floor
// (SQLite's own DISTINCT for a GeoPackage, OGR reading the one column of a
// Shapefile). On generated towns of each size, as an indexed GeoPackage, a
// GeoPackage without attribute indexes and a Shapefile without them; or on
// any one file.
//
//   bench_gdal [--parcels N]... [--runs R] [--data DIR] [--ogrinfo PATH]
//   bench_gdal --file PATH --layer NAME --street FIELD --number FIELD [--runs R]
//   bench_gdal --names N        (only the sorted list of N names)
//   bench_gdal --pg [--parcels N] [--runs R]   (the town in a PostgreSQL table, PgBench.h)

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include <gdal_priv.h>
#include <gdal_utils.h>
#include <ogrsf_frmts.h>

#include "BenchWorld.h"
#include "Figures.h"
#include "Measure.h"
#ifdef CORVANE_BENCH_WITH_PG
#include "PgBench.h"
#endif
#include "mapdata/CorvaneGIS_ArcMap.h"
#include "towngen/TownWriter.h"
#include "ui/SortKey.h"

#ifndef CORVANE_BENCH_DATA_DIR
#define CORVANE_BENCH_DATA_DIR "."
#endif

namespace {

using namespace corvane;
namespace ArcMap = CorvaneGIS_ArcMap;

struct Target {
    std::string kind;  // "GPKG indexed", "GPKG plain", "Shapefile", "file"
    std::string path;
    std::string layer = towngen::kParcelLayer;
    std::string street = towngen::kStreetField;
    std::string number = towngen::kNumberField;
};

struct Options {
    std::vector<std::int64_t> parcels;
    int runs = 9;
    std::string data = CORVANE_BENCH_DATA_DIR;
    std::string ogrinfo = "ogrinfo";
    Target file{"file", ""};
    std::int64_t names = 0;  // only the sorted list figure, with this many names
};

bool parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        const std::string_view value = argv[i + 1];
        std::int64_t number = 0;
        const bool numeric = std::from_chars(value.data(), value.data() + value.size(), number).ec == std::errc() && number > 0;
        if (option == "--parcels" && numeric) options.parcels.push_back(number);
        else if (option == "--runs" && numeric) options.runs = static_cast<int>(number);
        else if (option == "--data") options.data = value;
        else if (option == "--ogrinfo") options.ogrinfo = value;
        else if (option == "--names" && numeric) options.names = number;
        else if (option == "--file") options.file.path = value;
        else if (option == "--layer") options.file.layer = value;
        else if (option == "--street") options.file.street = value;
        else if (option == "--number") options.file.number = value;
        else return false;
    }
    if (options.parcels.empty()) options.parcels = {10000, 100000, 1000000};
    return argc % 2 == 1;
}

void copyWithoutIndexes(const std::string& from, const std::string& to)
{
    GDALDatasetUniquePtr source(GDALDataset::Open(from.c_str(), GDAL_OF_VECTOR));
    const char* args[] = {"-f", "GPKG", nullptr};
    GDALVectorTranslateOptions* options = GDALVectorTranslateOptionsNew(const_cast<char**>(args), nullptr);
    GDALDatasetH handle = GDALDataset::ToHandle(source.get());
    GDALDatasetH copy = GDALVectorTranslate(to.c_str(), nullptr, 1, &handle, options, nullptr);
    GDALVectorTranslateOptionsFree(options);
    if (copy == nullptr) throw std::runtime_error("cannot copy " + from);
    GDALClose(copy);
}

// The three files of a town of `parcels` parcels (200 to a street).
std::vector<Target> ensureTown(const Options& options, std::int64_t parcels)
{
    const std::string stem = options.data + "/bench-town-" + std::to_string(parcels);
    std::filesystem::create_directories(options.data);
    const towngen::TownSize size{parcels, std::max<std::int64_t>(towngen::kSpecialStreets, parcels / 200), 1};
    const std::vector<Target> targets{{"GPKG indexed", stem + ".gpkg"},
                                      {"GPKG plain", stem + "-plain.gpkg"},
                                      {"Shapefile", stem + "-shp/Parcels.shp"}};
    const auto generate = [](const std::string& what, const std::function<void()>& work) {
        std::printf("generating %s ...", what.c_str());
        std::fflush(stdout);
        std::printf(" %.1f s\n", bench::secondsOf(work));
    };
    if (!std::filesystem::exists(targets[0].path)) {
        generate(targets[0].path, [&] { towngen::writeTown(size, towngen::Format::GeoPackage, targets[0].path); });
    }
    if (!std::filesystem::exists(targets[1].path)) {
        generate(targets[1].path, [&] { copyWithoutIndexes(targets[0].path, targets[1].path); });
    }
    if (!std::filesystem::exists(targets[2].path)) {
        generate(stem + "-shp", [&] {
            towngen::writeTown(size, towngen::Format::Shapefile, stem + "-shp");
            // Most Shapefiles come without OGR's attribute index files.
            for (const auto& entry : std::filesystem::directory_iterator(stem + "-shp")) {
                const auto extension = entry.path().extension();
                if (extension == ".idx" || extension == ".ind") std::filesystem::remove(entry.path());
            }
        });
    }
    return targets;
}

double timeTool(const Options& options, const std::vector<std::string>& args)
{
    int status = 0;
    const double took = bench::secondsOf([&] { status = bench::runQuietly(options.ogrinfo, args); });
    return status == 0 ? took : -1.0;
}

// The in-process floor of a street list: SQLite's DISTINCT for databases,
// OGR reading only the street column into a set otherwise.
double floorOfList(const Target& target)
{
    GDALDatasetUniquePtr dataset(GDALDataset::Open(target.path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!dataset) return 0.0;
    std::unordered_set<std::string> seen;
    if (target.kind.rfind("GPKG", 0) == 0) {
        return bench::secondsOf([&] {
            const std::string sql = "SELECT DISTINCT \"" + target.street + "\" FROM \"" + target.layer + "\"";
            OGRLayer* result = dataset->ExecuteSQL(sql.c_str(), nullptr, nullptr);
            if (result == nullptr) return;
            for (OGRFeatureUniquePtr row(result->GetNextFeature()); row; row.reset(result->GetNextFeature())) {
                seen.emplace(row->GetFieldAsString(0));
            }
            dataset->ReleaseResultSet(result);
        });
    }
    OGRLayer* layer = dataset->GetLayerByName(target.layer.c_str());
    if (layer == nullptr) return 0.0;
    std::vector<const char*> ignored{"OGR_GEOMETRY", "OGR_STYLE"};
    OGRFeatureDefn* definition = layer->GetLayerDefn();
    for (int i = 0; i < definition->GetFieldCount(); ++i) {
        if (target.street != definition->GetFieldDefn(i)->GetNameRef()) ignored.push_back(definition->GetFieldDefn(i)->GetNameRef());
    }
    ignored.push_back(nullptr);
    if (layer->SetIgnoredFields(ignored.data()) != OGRERR_NONE) return 0.0;
    const int field = definition->GetFieldIndex(target.street.c_str());
    return bench::secondsOf([&] {
        for (OGRFeatureUniquePtr feature(layer->GetNextFeature()); feature; feature.reset(layer->GetNextFeature())) {
            seen.emplace(feature->GetFieldAsString(field));
        }
    });
}

// A Shapefile's street column read straight from its .dbf into a set: the
// file read in large blocks and the field cut out of each record, trimmed,
// with no library in between. The floor for any reader of that column.
double dbfColumn(const Target& target)
{
    const std::string path = std::filesystem::path(target.path).replace_extension(".dbf").string();
    std::ifstream file(path, std::ios::binary);
    unsigned char header[32];
    if (!file.read(reinterpret_cast<char*>(header), sizeof header)) return 0.0;
    const auto records = header[4] | (header[5] << 8) | (header[6] << 16) | (static_cast<std::uint32_t>(header[7]) << 24);
    const std::size_t headerBytes = header[8] | (header[9] << 8);
    const std::size_t recordBytes = header[10] | (header[11] << 8);
    std::size_t offset = 1;  // the deletion flag
    std::size_t width = 0;
    for (unsigned char field[32]; file.read(reinterpret_cast<char*>(field), 32) && field[0] != 0x0D;) {
        if (target.street == std::string(reinterpret_cast<char*>(field), strnlen(reinterpret_cast<char*>(field), 11))) {
            width = field[16];
            break;
        }
        offset += field[16];
    }
    if (width == 0) return 0.0;
    std::unordered_set<std::string> seen;
    return bench::secondsOf([&] {
        file.seekg(static_cast<std::streamoff>(headerBytes));
        std::vector<char> block(recordBytes * 8192);
        for (std::uint32_t done = 0; done < records;) {
            const std::size_t count = std::min<std::size_t>(8192, records - done);
            file.read(block.data(), static_cast<std::streamsize>(count * recordBytes));
            for (std::size_t i = 0; i < count; ++i) {
                std::string_view text(block.data() + i * recordBytes + offset, width);
                const auto first = text.find_first_not_of(' ');
                text = first == std::string_view::npos ? std::string_view() : text.substr(first, text.find_last_not_of(' ') - first + 1);
                seen.emplace(text);
            }
            done += static_cast<std::uint32_t>(count);
        }
    });
}

struct Pair {
    std::vector<double> ours;
    std::vector<double> tool;
    [[nodiscard]] bench::Cell cell() const
    {
        std::vector<double> good;
        std::copy_if(tool.begin(), tool.end(), std::back_inserter(good), [](double t) { return t >= 0; });
        return {bench::median(ours), bench::median(good)};
    }
};

void measure(const Options& options, const Target& target, const std::string& column, bench::FigureTable& table)
{
    bench::BenchWorld world(target.path);
    const std::string where = " (" + target.kind + ")";
    const std::string sqlDistinct = "SELECT DISTINCT \"" + target.street + "\" FROM \"" + target.layer + "\"";
    Pair list;
    bench::Memory before;
    bench::Memory after;
    {
        // The user's map has the layer open, and has read its features,
        // before any list loads: that is not the list's memory.
        auto rows = ArcMap::GetCursorByQuery(target.layer, "");
        if (rows) (void)rows->NextRow();
    }
    bench::resetPeakMemory();
    before = bench::currentMemory();
    const std::int64_t heapBefore = bench::heapInUse();
    for (int run = 0; run < options.runs; ++run) {
        list.ours.push_back(bench::secondsOf([&] {
            ArcMap::LoadListWithUniqueFieldValues(target.layer, target.street, world.streets(), true, nullptr);
            (void)world.streets().ListIndex();  // the list in its final order
        }));
        if (run == 0) after = bench::currentMemory();
        if (run == 0) after.heapKept = bench::heapInUse() - heapBefore;
        list.tool.push_back(timeTool(options, {"-ro", "-q", "-sql", sqlDistinct, target.path}));
    }
    table.add("street list vs ogrinfo" + where, column, list.cell());
    std::vector<double> floors;
    for (int run = 0; run < options.runs; ++run) floors.push_back(floorOfList(target));
    table.add("street list vs in-process floor" + where, column, {bench::median(list.ours), bench::median(floors)});
    if (target.path.ends_with(".shp")) {
        std::vector<double> columns;
        for (int run = 0; run < options.runs; ++run) columns.push_back(dbfColumn(target));
        table.add("street list vs .dbf column read" + where, column, {bench::median(list.ours), bench::median(columns)});
    }
    table.add("street list memory, MB" + where, column,
              {static_cast<double>(after.peak - before.resident) / 1048576.0 / 1e3, 0});
    // Resident memory hides what reuses pages the map's read freed; the
    // heap still in use after the list (its value index, the list's
    // entries) does not.
    table.add("street list heap kept, MB" + where, column,
              {static_cast<double>(after.heapKept) / 1048576.0 / 1e3, 0});

    const auto& names = world.streets().items();
    if (names.empty()) {
        std::printf("no streets listed in %s: %s\n", target.path.c_str(), world.lastMessage().c_str());
        return;
    }
    Pair street;
    Pair address;
    for (int run = 0; run < options.runs; ++run) {
        const std::string name = names[static_cast<std::size_t>(run) * names.size() / static_cast<std::size_t>(options.runs)];
        const std::string streetClause = target.street + " = " + ArcMap::FormatQueryValue(target.layer, target.street, name);
        street.ours.push_back(bench::secondsOf([&] {
            auto cursor = ArcMap::GetCursorByQuery(target.layer, streetClause);
            ArcMap::LoadListWithUniqueFieldValuesFromCursor(cursor, target.number, world.numbers());
            (void)world.numbers().ListIndex();
        }));
        street.tool.push_back(timeTool(options, {"-ro", "-q", "-where", streetClause, target.path, target.layer}));
        if (world.numbers().ListCount() == 0) continue;
        const std::string number = world.numbers().List(0);
        const std::string addressClause =
            streetClause + " AND " + target.number + " = " + ArcMap::FormatQueryValue(target.layer, target.number, number);
        address.ours.push_back(bench::secondsOf([&] {
            auto layer = ArcMap::GetFeatureLayerByName(target.layer);
            auto cursor = ArcMap::GetFeatureCursorByQuery(layer, addressClause);
            if (cursor) ArcMap::ZoomToFeaturePlus(cursor->NextFeature(), 0.2);
        }));
        address.tool.push_back(timeTool(options, {"-ro", "-q", "-where", addressClause, target.path, target.layer}));
    }
    table.add("street pick vs ogrinfo" + where, column, street.cell());
    table.add("address pick vs ogrinfo" + where, column, address.cell());
    if (world.messageCount() > 0) std::printf("message on %s: %s\n", target.path.c_str(), world.lastMessage().c_str());
}

// A sorted list taking a million distinct names against std::sort of the
// same names by the same collation keys, in turns (medians of `runs`).
void sortedListFigure(bench::FigureTable& table, std::size_t count, int runs)
{
    std::vector<std::string> names;
    names.reserve(count);
    const char* stems[] = {"Rua ", "Águas ", "avenida ", "ÉLM ", "Vila ", "o'neil "};
    std::mt19937 random(7);
    for (std::size_t i = 0; i < count; ++i) names.push_back(stems[i % 6] + std::to_string(random()) + " " + std::to_string(i));
    ui::FormSpec spec;
    spec.name = "frmSort";
    static const ui::ControlSpec list = [] {
        ui::ControlSpec c;
        c.name = "List1";
        c.kind = ui::ControlKind::ListBox;
        c.sorted = true;
        return c;
    }();
    spec.controls = std::span<const ui::ControlSpec>(&list, 1);
    std::vector<double> sorted;
    std::vector<double> ours;
    for (int run = 0; run < runs; ++run) {
        sorted.push_back(bench::secondsOf([&] {
            std::vector<std::pair<std::string, const std::string*>> keyed;
            keyed.reserve(names.size());
            for (const auto& name : names) keyed.emplace_back(ui::listSortKey(name), &name);
            std::sort(keyed.begin(), keyed.end());
        }));
        ui::Form form(spec);
        ours.push_back(bench::secondsOf([&] {
            for (const auto& name : names) form.listBox("List1").AddItem(name);
            (void)form.listBox("List1").ListIndex();
        }));
    }
    table.add("sorted list of " + std::to_string(count) + " names vs std::sort of keys", "names",
              {bench::median(ours), bench::median(sorted)});
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
        std::fputs("usage: bench_gdal [--parcels N]... [--runs R] [--data DIR] [--ogrinfo PATH] [--pg]\n"
                   "       bench_gdal --file PATH --layer NAME --street FIELD --number FIELD [--runs R]\n"
                   "       bench_gdal --names N\n",
                   stderr);
        return 2;
    }
    try {
        GDALAllRegister();
        const bool haveTool = bench::runQuietly(options.ogrinfo, {"--version"}) == 0;
        if (!haveTool) std::printf("ogrinfo not found: no reference times\n");
        if (postgres) {
#ifdef CORVANE_BENCH_WITH_PG
            const std::int64_t parcels = options.parcels.back();
            const std::int64_t streets = std::max<std::int64_t>(towngen::kSpecialStreets, parcels / 200);
            const auto names = towngen::streetNames(streets, 1);
            std::vector<std::string> picks;
            for (int run = 0; run < options.runs; ++run) {
                picks.push_back(names[static_cast<std::size_t>(run) * names.size() / static_cast<std::size_t>(options.runs)]);
            }
            return bench::benchPostgres({ensureTown(options, parcels).front().path, options.data, options.ogrinfo, haveTool,
                                         options.runs, parcels, streets, picks});
#else
            std::fputs("bench_gdal: built without a PostgreSQL server to run\n", stderr);
            return 2;
#endif
        }
        bench::FigureTable table;
        if (options.names > 0) {
            sortedListFigure(table, static_cast<std::size_t>(options.names), std::min(options.runs, 5));
        } else if (!options.file.path.empty()) {
            measure(options, options.file, "file", table);
        } else {
            for (const auto parcels : options.parcels) {
                for (const auto& target : ensureTown(options, parcels)) {
                    std::printf("measuring %s ...\n", target.path.c_str());
                    std::fflush(stdout);
                    measure(options, target, std::to_string(parcels) + " parcels", table);
                }
            }
            sortedListFigure(table, static_cast<std::size_t>(options.parcels.back()), std::min(options.runs, 5));
        }
        std::printf("bench_gdal: median of %d runs; memory figures are MB above the start of the list, not ms\n",
                    options.runs);
        table.print();
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_gdal: %s\n", error.what());
        return 1;
    }
}
