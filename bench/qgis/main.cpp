// bench_qgis: the street list, street pick and address pick of the search
// dialog, run by the system's own routines through the QGIS host on a
// generated town, beside QgsVectorLayer::uniqueValues on the same layer in
// the same process (QgsApplication without a window).
//
//   bench_qgis [--parcels N] [--streets M] [--runs R] [--data DIR]

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <qgsapplication.h>
#include <qgsmapcanvas.h>
#include <qgsproject.h>
#include <qgsvectorlayer.h>

#include "Measure.h"
#include "headless/HeadlessToolkit.h"
#include "headless/ScopedToolkit.h"
#include "mapdata/CorvaneGIS_ArcMap.h"
#include "qgis/QgisDocument.h"
#include "qgis/QgisHostClasses.h"
#include "qgis/QgisStatusProgress.h"
#include "qgis/ValueGroups.h"
#include "shared/Public.h"
#include "towngen/TownWriter.h"
#include "ui/Form.h"

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
};

bool parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        const std::string_view value = argv[i + 1];
        std::int64_t number = 0;
        const bool numeric =
            std::from_chars(value.data(), value.data() + value.size(), number).ec == std::errc() && number > 0;
        if (option == "--parcels" && numeric) options.parcels = number;
        else if (option == "--streets" && numeric) options.streets = number;
        else if (option == "--runs" && numeric) options.runs = static_cast<int>(number);
        else if (option == "--data") options.data = value;
        else return false;
    }
    return true;
}

std::string ensureTown(const Options& options)
{
    const std::string path = options.data + "/bench-town-" + std::to_string(options.parcels) + "-" +
                             std::to_string(options.streets) + ".gpkg";
    std::filesystem::create_directories(options.data);
    if (!std::filesystem::exists(path)) {
        std::printf("generating %s ...", path.c_str());
        std::fflush(stdout);
        const double took = bench::secondsOf(
            [&] { towngen::writeTown({options.parcels, options.streets, 1}, towngen::Format::GeoPackage, path); });
        std::printf(" %.1f s\n", took);
    }
    return path;
}

ui::ControlSpec list(std::string_view name)
{
    ui::ControlSpec spec;
    spec.name = name;
    spec.kind = ui::ControlKind::ListBox;
    spec.width = 3000;
    spec.height = 3000;
    spec.sorted = true;
    return spec;
}

const std::array<ui::ControlSpec, 2> kControls = {list("List1"), list("List2")};

ui::FormSpec formSpec()
{
    ui::FormSpec spec;
    spec.name = "frmBench";
    spec.caption = "Bench";
    spec.clientWidth = 5000;
    spec.clientHeight = 4000;
    spec.controls = kControls;
    return spec;
}

const ui::FormSpec kForm = formSpec();

std::string streetClause(const std::string& street)
{
    return std::string(kStreet) + " = " + ArcMap::FormatQueryValue(kLayer, kStreet, street);
}

// The address pick of the search dialog: clause, object-ID list, first feature, zoom.
bool pickAddress(const std::string& street, const std::string& number)
{
    auto layer = ArcMap::GetFeatureLayerByName(kLayer);
    const std::string clause =
        streetClause(street) + " AND " + kNumber + " = " + ArcMap::FormatQueryValue(kLayer, kNumber, number);
    auto cursor = ArcMap::GetFeatureCursorByQuery(layer, clause);
    if (!cursor) return false;
    auto feature = cursor->NextFeature();
    ArcMap::ZoomToFeaturePlus(feature, 0.2);
    return static_cast<bool>(feature);
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fputs("usage: bench_qgis [--parcels N] [--streets M] [--runs R] [--data DIR]\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QgsApplication app(argc, argv, true);
    QgsApplication::initQgis();
    try {
        const std::string path = ensureTown(options);
        const auto names = towngen::streetNames(options.streets, 1);

        QgsProject project;
        auto* layer = new QgsVectorLayer(QString::fromStdString(path) + QStringLiteral("|layername=") + kLayer,
                                         QString::fromUtf8(kLayer), QStringLiteral("ogr"));
        if (!layer->isValid()) throw std::runtime_error("QGIS cannot open " + path);
        project.addMapLayer(layer);
        project.setCrs(layer->crs());
        QgsMapCanvas canvas;
        canvas.resize(800, 600);
        canvas.setDestinationCrs(layer->crs());

        headless::HeadlessToolkit toolkit;
        headless::ScopedToolkit installed(toolkit);
        auto document = std::make_shared<corvane::qgis::QgisDocument>(&project, &canvas);
        auto application =
            host::makeRef<corvane::qgis::QgisApplication>(document, host::makeRef<corvane::qgis::QgisStatusBar>(nullptr));
        corvane::qgis::QgisHostClasses classes(application, nullptr);
        host::setHostClasses(&classes);
        CorvaneGIS_Public::HostApplication = application;
        CorvaneGIS_Public::HostDocument = host::Ref<host::IMxDocument>(document);
        auto form = std::make_shared<ui::Form>(kForm);
        form->Load();

        std::printf("bench_qgis: %lld parcels, %lld streets, median of %d runs, QGIS %s\n",
                    static_cast<long long>(options.parcels), static_cast<long long>(options.streets), options.runs,
                    Qgis::version().toUtf8().constData());
        std::printf("%-28s %13s %17s %8s\n", "", "ours", "uniqueValues", "ratio");

        const int streetField = layer->fields().lookupField(QString::fromUtf8(kStreet));
        std::vector<double> ours, reference;
        int distinct = 0;
        for (int run = 0; run < options.runs; ++run) {
            reference.push_back(bench::secondsOf([&] { distinct = layer->uniqueValues(streetField).size(); }));
            ours.push_back(bench::secondsOf(
                [&] { ArcMap::LoadListWithUniqueFieldValues(kLayer, kStreet, form->listBox("List1"), true, nullptr); }));
        }
        const double list = bench::median(ours);
        const double unique = bench::median(reference);
        std::printf("%-28s %10.2f ms %14.2f ms %8.2f\n", "street list", list * 1e3, unique * 1e3, list / unique);
        // The first list opens the grouping layer; later ones find it kept.
        std::printf("%-28s %10.2f ms %14.2f ms %8.2f\n", "  first run alone", ours.front() * 1e3,
                    reference.front() * 1e3, ours.front() / reference.front());
        // The floor under the street list on this format: the database's grouping alone.
        std::vector<double> grouping;
        for (int run = 0; run < options.runs; ++run) {
            grouping.push_back(bench::secondsOf([&] {
                if (auto groups = corvane::qgis::ValueGroups::open(*layer, streetField))
                    while (groups->next()) {
                    }
            }));
        }
        const double group = bench::median(grouping);
        std::printf("%-28s %10.2f ms %14.2f ms %8.2f\n", "  grouping query alone", group * 1e3, unique * 1e3,
                    group / unique);

        // Picks are short and vary with where the street's rows lie in the
        // file: take the median of more of them than of the lists.
        const int picks = std::max(options.runs, 25);
        std::vector<double> streetPicks, addressPicks;
        int found = 0;
        for (int run = 0; run < picks; ++run) {
            const std::string& street =
                names[static_cast<std::size_t>(run) * names.size() / static_cast<std::size_t>(picks)];
            streetPicks.push_back(bench::secondsOf([&] {
                auto cursor = ArcMap::GetCursorByQuery(kLayer, streetClause(street));
                ArcMap::LoadListWithUniqueFieldValuesFromCursor(cursor, kNumber, form->listBox("List2"));
            }));
            const std::string number = std::to_string(2 * run + 3);
            addressPicks.push_back(bench::secondsOf([&] { found += pickAddress(street, number) ? 1 : 0; }));
        }
        std::printf("%-28s %10.2f ms   (median of %d, slowest %.2f ms)\n", "street pick",
                    bench::median(streetPicks) * 1e3, picks, *std::max_element(streetPicks.begin(), streetPicks.end()) * 1e3);
        std::printf("%-28s %10.2f ms   (median of %d, slowest %.2f ms)\n", "address pick",
                    bench::median(addressPicks) * 1e3, picks, *std::max_element(addressPicks.begin(), addressPicks.end()) * 1e3);
        const int listed = form->listBox("List1").ListCount();
        std::printf("checks: %d streets listed (uniqueValues: %d, Null among them), %d of %d addresses found\n", listed,
                    distinct, found, picks);
        const bool clean = toolkit.messagePrompts().empty();
        if (!clean) std::printf("message: %s\n", toolkit.messagePrompts().back().c_str());

        form->Unload();
        CorvaneGIS_Public::HostApplication.reset();
        CorvaneGIS_Public::HostDocument.reset();
        host::setHostClasses(nullptr);
        return clean && listed > 0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_qgis: %s\n", error.what());
        return 1;
    }
}
