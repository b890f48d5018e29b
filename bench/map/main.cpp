// bench_map_redraw: how long the canvas takes to redraw after zooming to one
// parcel, on a town of N parcels, and what OGR alone takes to read the same
// window (spatial filter, geometry only) in the same run.
//   bench_map_redraw [--parcels N] [--runs R] [--data DIR] [--full]

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "MapCanvas.h"
#include "MapRenderer.h"
#include "gdal/GdalDocument.h"
#include "gdal/MapBuilder.h"
#include "towngen/TownWriter.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Options {
    std::int64_t parcels = 1'000'000;
    int runs = 50;
    std::string data = CORVANE_BENCH_DATA_DIR;
    bool full = false;
};

bool parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--full") {
            o.full = true;
        } else if (i + 1 < argc && a == "--parcels") {
            o.parcels = std::stoll(argv[++i]);
        } else if (i + 1 < argc && a == "--runs") {
            o.runs = std::stoi(argv[++i]);
        } else if (i + 1 < argc && a == "--data") {
            o.data = argv[++i];
        } else {
            return false;
        }
    }
    return o.parcels > 0 && o.runs > 0;
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

corvane::gdal::Box enlarged(const OGREnvelope& e, double factor)
{
    const double cx = (e.MinX + e.MaxX) / 2, cy = (e.MinY + e.MaxY) / 2;
    const double hw = (e.MaxX - e.MinX) * factor / 2, hh = (e.MaxY - e.MinY) * factor / 2;
    return {cx - hw, cy - hh, cx + hw, cy + hh};
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fputs("usage: bench_map_redraw [--parcels N] [--runs R] [--data DIR] [--full]\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::filesystem::create_directories(options.data);
    const std::string town = options.data + "/town-" + std::to_string(options.parcels) + ".gpkg";
    if (!std::filesystem::exists(town)) {
        std::printf("writing %s ...\n", town.c_str());
        const auto start = Clock::now();
        corvane::towngen::TownSize size;
        size.parcels = options.parcels;
        size.streets = std::max<std::int64_t>(corvane::towngen::kSpecialStreets, options.parcels / 75);
        corvane::towngen::writeTown(size, corvane::towngen::Format::GeoPackage, town);
        std::printf("  written in %.1f s\n", millisecondsSince(start) / 1000.0);
    }

    const auto openStart = Clock::now();
    const auto map = corvane::gdal::openMap({town});
    const auto full = map->fullExtent();
    std::printf("map opened in %.1f ms\n", millisecondsSince(openStart));
    if (!full) {
        std::fputs("the town has no shapes\n", stderr);
        return 1;
    }
    corvane::map::MapRenderer renderer(map);
    QImage image(1024, 700, QImage::Format_ARGB32_Premultiplied);
    const QRectF target(image.rect());

    // The parcels to zoom to: spread over the file by feature ID.
    GDALAllRegister();
    GDALDatasetUniquePtr ds(GDALDataset::Open(town.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    OGRLayer* parcels = ds ? ds->GetLayerByName(corvane::towngen::kParcelLayer) : nullptr;
    if (parcels == nullptr) {
        std::fputs("no parcel layer\n", stderr);
        return 1;
    }
    std::mt19937_64 random(7);
    std::uniform_int_distribution<GIntBig> pick(1, options.parcels);
    std::vector<corvane::gdal::Box> windows;
    while (static_cast<int>(windows.size()) < options.runs) {
        OGRFeatureUniquePtr f(parcels->GetFeature(pick(random)));
        if (!f || f->GetGeometryRef() == nullptr) continue;
        OGREnvelope e;
        f->GetGeometryRef()->getEnvelope(&e);
        windows.push_back(corvane::map::fitExtent(enlarged(e, 1.2), target.size()));
    }

    // The way the search dialog zooms: the view's extent, then Refresh,
    // which makes the canvas redraw at once.
    auto document = std::make_shared<corvane::gdal::GdalDocument>(map);
    corvane::map::MapCanvas canvas(document);
    canvas.resize(1024, 700);
    std::vector<double> canvasRedraw;
    for (const auto& box : windows) {
        map->setExtentBox(box);
        map->Refresh();
        canvasRedraw.push_back(canvas.lastRenderMilliseconds());
    }
    std::printf("canvas redraw after Extent + Refresh, %d parcels of %lld, 1024x700: median %.2f ms, p90 %.2f ms, "
                "max %.2f ms\n",
                options.runs, static_cast<long long>(options.parcels), percentile(canvasRedraw, 0.5),
                percentile(canvasRedraw, 0.9), percentile(canvasRedraw, 1.0));

    std::vector<double> redraw, ogrOnly;
    std::int64_t shapes = 0;
    for (const auto& box : windows) {
        image.fill(Qt::white);
        QPainter painter(&image);
        const auto start = Clock::now();
        shapes += renderer.render(painter, target, box).shapes;
        redraw.push_back(millisecondsSince(start));
        painter.end();

        // The reference: OGR reading the same window's parcels, nothing drawn.
        const auto ogrStart = Clock::now();
        parcels->SetSpatialFilterRect(box.xMin, box.yMin, box.xMax, box.yMax);
        parcels->ResetReading();
        std::int64_t n = 0;
        for (OGRFeatureUniquePtr f(parcels->GetNextFeature()); f; f.reset(parcels->GetNextFeature())) ++n;
        ogrOnly.push_back(millisecondsSince(ogrStart));
        (void)n;
    }
    parcels->SetSpatialFilter(nullptr);
    const double median = percentile(redraw, 0.5);
    const double ogrMedian = percentile(ogrOnly, 0.5);
    std::printf("renderer alone, %d parcels of %lld, 1024x700: median %.2f ms, p90 %.2f ms, max %.2f ms, %.1f shapes each\n",
                options.runs, static_cast<long long>(options.parcels), median, percentile(redraw, 0.9),
                percentile(redraw, 1.0), static_cast<double>(shapes) / options.runs);
    std::printf("OGR reading the same windows (parcels only, nothing drawn): median %.2f ms; redraw/OGR %.2f\n",
                ogrMedian, ogrMedian > 0 ? median / ogrMedian : 0.0);
    if (options.full) {
        image.fill(Qt::white);
        QPainter painter(&image);
        const auto start = Clock::now();
        const auto stats = renderer.render(painter, target, corvane::map::fitExtent(*full, target.size()));
        std::printf("full-extent redraw: %.1f ms, %lld shapes\n", millisecondsSince(start),
                    static_cast<long long>(stats.shapes));
    }
    return 0;
}
