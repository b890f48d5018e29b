// bench_map_redraw: the map host at a town's scale. For a generated town of
// N parcels, as a GeoPackage and as a Shapefile copy, each measured in a
// process of its own (so launch and memory are a launch's):
//   - launch to an interactive window (the first event processed),
//   - the first full-extent picture complete,
//   - the longest the user-interface thread was busy meanwhile (the largest
//     gap between ticks of a 10 ms timer),
//   - the picture after the command's zoom to one parcel (Extent + Refresh),
//     and how long Refresh itself held the caller,
//   - memory above the process's size with the map open;
// beside gdal_rasterize burning the same parcels into a picture of the same
// size, in the same run.
//   bench_map_redraw [--parcels N] [--runs R] [--data DIR] [--gdal-rasterize PATH]
//   bench_map_redraw --measure FILE [--runs R]    (one process's figures)

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "MainWindow.h"
#include "MapRenderer.h"
#include "Measure.h"
#include "gdal/GdalLayers.h"
#include "towngen/TownWriter.h"

namespace {

using Clock = std::chrono::steady_clock;
const Clock::time_point kLaunch = Clock::now();

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Options {
    std::int64_t parcels = 1'000'000;
    int runs = 50;
    std::string data = CORVANE_BENCH_DATA_DIR;
    std::string measure;
    std::string rasterize = "gdal_rasterize";
};

bool parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc) return false;
        if (a == "--parcels")
            o.parcels = std::stoll(argv[++i]);
        else if (a == "--runs")
            o.runs = std::stoi(argv[++i]);
        else if (a == "--data")
            o.data = argv[++i];
        else if (a == "--measure")
            o.measure = argv[++i];
        else if (a == "--gdal-rasterize")
            o.rasterize = argv[++i];
        else
            return false;
    }
    return o.parcels > 0 && o.runs > 0;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5)];
}

double megabytes(std::int64_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// Parcels spread over the file by feature ID, enlarged as the command zooms.
std::vector<corvane::gdal::Box> parcelWindows(const std::string& file, int count)
{
    std::vector<corvane::gdal::Box> windows;
    GDALAllRegister();
    GDALDatasetUniquePtr ds(GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    OGRLayer* parcels = ds ? ds->GetLayerByName(corvane::towngen::kParcelLayer) : nullptr;
    if (parcels == nullptr) return windows;
    const GIntBig total = parcels->GetFeatureCount();
    std::mt19937_64 random(7);
    std::uniform_int_distribution<GIntBig> pick(0, std::max<GIntBig>(total - 1, 0));
    for (int tries = 0; static_cast<int>(windows.size()) < count && tries < count * 10; ++tries) {
        OGRFeatureUniquePtr f(parcels->GetFeature(pick(random)));
        if (!f || f->GetGeometryRef() == nullptr) continue;
        OGREnvelope e;
        f->GetGeometryRef()->getEnvelope(&e);
        const double cx = (e.MinX + e.MaxX) / 2, cy = (e.MinY + e.MaxY) / 2;
        const double hw = (e.MaxX - e.MinX) * 1.2 / 2, hh = (e.MaxY - e.MinY) * 1.2 / 2;
        windows.push_back({cx - hw, cy - hh, cx + hw, cy + hh});
    }
    return windows;
}

void forEachFeatureLayer(const std::vector<corvane::host::Ref<corvane::host::ILayer>>& layers,
                         const std::function<void(const corvane::host::ILayer*)>& visit)
{
    for (const auto& layer : layers) {
        if (auto* group = dynamic_cast<corvane::gdal::GroupLayer*>(layer.get())) forEachFeatureLayer(group->layers(), visit);
        if (dynamic_cast<corvane::gdal::FeatureLayer*>(layer.get()) != nullptr) visit(layer.get());
    }
}

// The thread's own CPU time: a long event that spent little of it on the
// CPU was waiting for one (a loaded machine), not working.
double threadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Which single event kept the user-interface thread longest, to tell the
// map's share of a long gap from the window's own first paint.
class TimedApplication final : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        const auto type = event->type();
        const auto start = Clock::now();
        const double cpuStart = threadCpuMilliseconds();
        const bool handled = QApplication::notify(receiver, event);
        const double took = millisecondsSince(start);
        if (recording && took > longest) {
            longest = took;
            longestOnCpu = threadCpuMilliseconds() - cpuStart;
            longestType = type;
            longestReceiver = receiver->metaObject()->className();
            longestEnded = millisecondsSince(kLaunch);
        }
        return handled;
    }
    bool recording = true;  // until the first full picture is complete
    double longest = 0, longestOnCpu = 0, longestEnded = 0;
    QEvent::Type longestType = QEvent::None;
    const char* longestReceiver = "";
};

// One process, one file: the figures of a user's launch.
int measure(int argc, char** argv, const Options& options)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication app(argc, argv);
    QTemporaryDir scratch;
    corvane::map::HostOptions hostOptions;
    hostOptions.driveC = scratch.filePath(QStringLiteral("drive_c")).toStdString();
    hostOptions.registryPath = scratch.filePath(QStringLiteral("registry.reg")).toStdString();
    hostOptions.settingsFile = scratch.filePath(QStringLiteral("settings.ini"));
    hostOptions.interactive = false;
    corvane::map::MainWindow window(hostOptions);
    window.resize(1024, 768);
    if (!window.openFiles({options.measure}).isEmpty()) return 1;
    const corvane::bench::Memory opened = corvane::bench::currentMemory();
    window.show();
    corvane::map::MapCanvas& canvas = window.canvas();
    const auto map = window.document()->map();

    double firstEvent = -1, fullPicture = -1, longestBusy = 0, longestBusyAt = 0;
    auto lastTick = Clock::now();
    QTimer ticks;
    ticks.setInterval(10);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const double gap = millisecondsSince(lastTick);
        if (gap > 30.0) std::printf("  (a %.0f ms gap ending %.0f ms after launch)\n", gap, millisecondsSince(kLaunch));
        if (gap > longestBusy) {
            longestBusy = gap;
            longestBusyAt = millisecondsSince(kLaunch);
        }
        lastTick = Clock::now();
    });
    // Ticking from the event loop's start: what the loop does before its
    // first tick (the window's first paint, settings written) counts too.
    QTimer::singleShot(0, [&] { firstEvent = millisecondsSince(kLaunch); });

    std::vector<corvane::gdal::Box> windows;
    std::vector<double> zoomPicture, refreshHeld;
    std::size_t next = 0;
    // Past the default scale range of very large layers: every layer drawn,
    // a million parcels as dots, at the full extent.
    double dotsPicture = -1;
    corvane::map::RenderStats dotsStats;
    // The same zooms drawn by the renderer alone, on this thread: the
    // picture's cost without the hand-over between threads.
    std::vector<double> rendererAlone;
    const auto renderAlone = [&] {
        const corvane::map::MapRenderer renderer = canvas.renderer();
        QImage image(canvas.mapArea().size().toSize(), QImage::Format_ARGB32_Premultiplied);
        for (const auto& box : windows) {
            image.fill(Qt::white);
            QPainter painter(&image);
            const auto start = Clock::now();
            renderer.render(painter, QRectF(image.rect()), corvane::map::fitExtent(box, QSizeF(image.size())));
            rendererAlone.push_back(millisecondsSince(start));
        }
    };
    const std::function<void()> everyParcelAsDot = [&] {
        renderAlone();
        forEachFeatureLayer(map->layers(), [&](const corvane::host::ILayer* layer) {
            canvas.renderer().setScaleRange(layer, {});
        });
        canvas.zoomToFullExtent();
        canvas.whenPictureComplete([&] {
            dotsPicture = canvas.lastRenderMilliseconds();
            dotsStats = canvas.lastStats();
            QApplication::quit();
        });
    };
    std::function<void()> zoomNext = [&] {
        if (next == 0) windows = parcelWindows(options.measure, options.runs);
        if (next > 0) zoomPicture.push_back(canvas.lastRenderMilliseconds());
        if (next >= windows.size()) {
            everyParcelAsDot();
            return;
        }
        map->setExtentBox(windows[next++]);
        const auto start = Clock::now();
        map->Refresh();
        refreshHeld.push_back(millisecondsSince(start));
        canvas.whenPictureComplete([&] { QTimer::singleShot(0, zoomNext); });
    };
    corvane::map::RenderStats fullStats;
    canvas.whenPictureComplete([&] {
        fullPicture = millisecondsSince(kLaunch);
        fullStats = canvas.lastStats();
        app.recording = false;
        ticks.stop();
        QTimer::singleShot(0, zoomNext);
    });
    lastTick = Clock::now();
    ticks.start();
    QApplication::exec();
    const corvane::bench::Memory end = corvane::bench::currentMemory();

    std::printf("  launch to interactive window (first event processed): %.0f ms\n", firstEvent);
    std::printf("  first full-extent picture complete, from launch: %.0f ms\n", fullPicture);
    std::printf("  longest the user-interface thread was busy meanwhile (10 ms ticks): %.1f ms, ending %.0f ms after launch\n",
                longestBusy, longestBusyAt);
    std::printf("  the longest single event meanwhile: %.1f ms, %.1f ms of it on the CPU (type %d to a %s), ending %.0f ms "
                "after launch\n",
                app.longest, app.longestOnCpu, static_cast<int>(app.longestType), app.longestReceiver, app.longestEnded);
    std::printf("  full picture: %lld shapes in full, %lld as dots\n", static_cast<long long>(fullStats.shapes),
                static_cast<long long>(fullStats.dots));
    std::printf("  command's zoom to one parcel, %zu parcels: picture complete median %.2f ms, p90 %.2f ms, max %.2f ms;"
                " Refresh held the caller at most %.3f ms\n",
                zoomPicture.size(), percentile(zoomPicture, 0.5), percentile(zoomPicture, 0.9),
                percentile(zoomPicture, 1.0), percentile(refreshHeld, 1.0));
    std::printf("  the same zooms drawn by the renderer alone on one thread: median %.2f ms, max %.2f ms\n",
                percentile(rendererAlone, 0.5), percentile(rendererAlone, 1.0));
    std::printf("  full extent with every layer drawn whatever its size (scale ranges cleared): %.0f ms, %lld shapes "
                "in full, %lld as dots\n",
                dotsPicture, static_cast<long long>(dotsStats.shapes), static_cast<long long>(dotsStats.dots));
    std::printf("  memory: %.0f MB with the map open, peak %.0f MB: %.0f MB above\n", megabytes(opened.resident),
                megabytes(end.peak), megabytes(end.peak - opened.resident));
    return 0;
}

struct Files {
    std::string geoPackage;
    std::string shapefile;
};

Files ensureTown(const Options& options)
{
    const std::string stem = options.data + "/map-town-" + std::to_string(options.parcels);
    const Files files{stem + ".gpkg", stem + "-shp/Parcels.shp"};
    std::filesystem::create_directories(options.data);
    corvane::towngen::TownSize size;
    size.parcels = options.parcels;
    size.streets = std::max<std::int64_t>(corvane::towngen::kSpecialStreets, options.parcels / 200);
    if (!std::filesystem::exists(files.geoPackage)) {
        std::printf("writing %s ...\n", files.geoPackage.c_str());
        corvane::towngen::writeTown(size, corvane::towngen::Format::GeoPackage, files.geoPackage);
    }
    if (!std::filesystem::exists(files.shapefile)) {
        std::printf("writing %s ...\n", (stem + "-shp").c_str());
        corvane::towngen::writeTown(size, corvane::towngen::Format::Shapefile, stem + "-shp");
    }
    return files;
}

// The child's figures, printed as they come.
int runChild(const Options& options, const std::string& file)
{
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string command = "'" + self + "' --measure '" + file + "' --runs " + std::to_string(options.runs);
    std::FILE* child = popen(command.c_str(), "r");
    if (child == nullptr) return -1;
    char line[512];
    while (std::fgets(line, sizeof line, child) != nullptr) std::fputs(line, stdout);
    return pclose(child);
}

void rasterizeReference(const Options& options, const std::string& file)
{
    const std::string out = std::filesystem::path(options.data) / "map-bench-rasterized.tif";
    int status = 0;
    const double seconds = corvane::bench::secondsOf([&] {
        status = corvane::bench::runQuietly(options.rasterize, {"-q", "-burn", "1", "-ts", "1024", "700", "-ot", "Byte",
                                                                "-l", corvane::towngen::kParcelLayer, file, out});
    });
    std::filesystem::remove(out);
    if (status == 0)
        std::printf("  reference: gdal_rasterize of the parcels to 1024x700: %.0f ms\n", seconds * 1000.0);
    else
        std::printf("  reference: gdal_rasterize did not run (%d)\n", status);
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fputs("usage: bench_map_redraw [--parcels N] [--runs R] [--data DIR] [--gdal-rasterize PATH]\n"
                   "       bench_map_redraw --measure FILE [--runs R]\n",
                   stderr);
        return 2;
    }
    if (!options.measure.empty()) return measure(argc, argv, options);

    const Files files = ensureTown(options);
    int failures = 0;
    for (const auto& [label, file] : {std::pair{"GeoPackage", files.geoPackage}, std::pair{"Shapefile", files.shapefile}}) {
        std::printf("%s, %lld parcels (%s), window 1024x768:\n", label, static_cast<long long>(options.parcels),
                    file.c_str());
        std::fflush(stdout);
        if (runChild(options, file) != 0) ++failures;
        rasterizeReference(options, file);
        std::fflush(stdout);
    }
    return failures == 0 ? 0 : 1;
}
