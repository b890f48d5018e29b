#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <future>
#include <mutex>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "Automation.h"
#include "MainWindow.h"
#include "MapApp.h"
#include "RenderWorker.h"
#include "gdal/GdalLayers.h"
#include "gdal/MapBuilder.h"
#include "towngen/TownWriter.h"

namespace corvane::map {
namespace {

constexpr std::int64_t kParcels = 5000;

// Towns written once per run: the Shapefile has no .qix, so its first draw
// builds an index (and takes a while), the GeoPackage has its R-tree.
struct Towns {
    QTemporaryDir dir;
    std::string geoPackage = dir.filePath(QStringLiteral("town.gpkg")).toStdString();
    std::string shapefile = dir.filePath(QStringLiteral("town-shp/Parcels.shp")).toStdString();
    Towns()
    {
        const towngen::TownSize size{kParcels, 50, 1};
        towngen::writeTown(size, towngen::Format::GeoPackage, geoPackage);
        towngen::writeTown(size, towngen::Format::Shapefile, dir.filePath(QStringLiteral("town-shp")).toStdString());
    }
};

const Towns& towns()
{
    static const Towns* made = new Towns;
    return *made;
}

// A parcel's box enlarged as the command zooms to it.
gdal::Box parcelWindow(const std::string& file, GIntBig fid)
{
    GDALDatasetUniquePtr ds(GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    OGRLayer* parcels = ds->GetLayerByName(towngen::kParcelLayer);
    OGRFeatureUniquePtr feature(parcels->GetFeature(fid));
    OGREnvelope e;
    feature->GetGeometryRef()->getEnvelope(&e);
    const double cx = (e.MinX + e.MaxX) / 2, cy = (e.MinY + e.MaxY) / 2;
    const double hw = (e.MaxX - e.MinX) * 0.6, hh = (e.MaxY - e.MinY) * 0.6;
    return {cx - hw, cy - hh, cx + hw, cy + hh};
}

std::int64_t shapesIn(const std::string& file)
{
    GDALDatasetUniquePtr ds(GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    std::int64_t count = 0;
    for (OGRLayer* layer : ds->GetLayers())
        if (layer->GetGeomType() != wkbNone) count += layer->GetFeatureCount();
    return count;
}

// The parcels, at any depth of groups.
const host::ILayer* parcelLayer(const std::vector<host::Ref<host::ILayer>>& layers)
{
    for (const auto& layer : layers) {
        if (auto* group = dynamic_cast<gdal::GroupLayer*>(layer.get()))
            if (const host::ILayer* found = parcelLayer(group->layers())) return found;
        if (dynamic_cast<gdal::FeatureLayer*>(layer.get()) && layer->Name() == towngen::kParcelLayer) return layer.get();
    }
    return nullptr;
}

TEST(MapRenderWorker, AStaleRenderIsNeverDeliveredAndTheNewerOneIs)
{
    testing::ensureApplication();
    auto map = gdal::openMap({towns().shapefile});
    const MapRenderer renderer(map);
    const gdal::Box full = fitExtent(*map->fullExtent(), QSizeF(200, 200));
    const gdal::Box zoomed = fitExtent(parcelWindow(towns().shapefile, 5), QSizeF(200, 200));

    std::mutex mutex;
    std::vector<RenderResult> delivered;
    std::promise<void> newerDone;
    RenderWorker* worker = nullptr;
    std::uint64_t newer = 0;
    bool submitted = false;
    RenderWorker owned({[&](RenderResult result) {
                            const std::lock_guard lock(mutex);
                            const bool last = result.complete && result.generation == newer;
                            delivered.push_back(std::move(result));
                            if (last) newerDone.set_value();
                        },
                        // The first render is building the Shapefile's index:
                        // a newer extent arrives while it runs.
                        [&](const QString&) {
                            const std::lock_guard lock(mutex);
                            if (submitted) return;
                            submitted = true;
                            newer = worker->submit({withLayerSnapshot(renderer), QSize(200, 200), zoomed, Qt::white});
                        }});
    worker = &owned;
    const std::uint64_t older = owned.submit({withLayerSnapshot(renderer), QSize(200, 200), full, Qt::white});
    ASSERT_EQ(newerDone.get_future().wait_for(std::chrono::minutes(1)), std::future_status::ready);

    const std::lock_guard lock(mutex);
    ASSERT_TRUE(submitted);
    EXPECT_GT(newer, older);
    for (const RenderResult& r : delivered) {
        EXPECT_EQ(r.generation, newer) << "a picture of the stale extent was handed over";
        EXPECT_TRUE(r.problem.isEmpty()) << r.problem.toStdString();
    }
    ASSERT_FALSE(delivered.empty());
    EXPECT_EQ(delivered.back().extent, zoomed);
    EXPECT_EQ(delivered.back().stats.dots, 0);
    EXPECT_GT(delivered.back().stats.shapes, 0);
}

// Every shape in view is drawn once, as a dot or in full, whichever way the
// layer's boxes are found (R-tree, in-memory index).
TEST(MapLevelOfDetail, EveryShapeIsDrawnOnceAsADotOrInFull)
{
    testing::ensureApplication();
    for (const std::string& file : {towns().geoPackage, towns().shapefile}) {
        SCOPED_TRACE(file);
        auto map = gdal::openMap({file});
        MapRenderer renderer(map);
        QImage image(200, 150, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        const QRectF target(image.rect());
        // Slightly larger than the map, so that the edges hold no surprise.
        gdal::Box all = *map->fullExtent();
        all = {all.xMin - 1, all.yMin - 1, all.xMax + 1, all.yMax + 1};
        const RenderStats wide = renderer.render(painter, target, fitExtent(all, target.size()));
        EXPECT_TRUE(wide.complete);
        EXPECT_GT(wide.dots, kParcels / 2);
        EXPECT_EQ(wide.dots + wide.shapes, shapesIn(file));
        image.save(testing::artifactFolder() + QStringLiteral("/full-extent-%1.png")
                                                   .arg(QString::fromStdString(std::filesystem::path(file).extension().string().substr(1))));

        const RenderStats close = renderer.render(painter, target, fitExtent(parcelWindow(file, 9), target.size()));
        EXPECT_EQ(close.dots, 0);
        EXPECT_GE(close.shapes, 1);

        // A layer outside its scale range is not drawn at all.
        renderer.setScaleRange(parcelLayer(map->layers()), {1.0, 0.0});
        const RenderStats hidden = renderer.render(painter, target, fitExtent(all, target.size()));
        EXPECT_EQ(hidden.dots + hidden.shapes, shapesIn(file) - kParcels);
    }
}

TEST(MapLevelOfDetail, VeryLargeLayersAreHiddenOnlyWhereTheirShapesWouldBeSpecks)
{
    const gdal::Box town{0, 0, 30'000, 30'000};
    EXPECT_EQ(defaultScaleRange(kVeryLargeLayer - 1, town), LayerScaleRange{});
    const LayerScaleRange large = defaultScaleRange(1'000'000, town);
    // Average shape 30 m across: drawn while that is a quarter pixel or more.
    EXPECT_TRUE(large.shows(scaleDenominator(30.0 / 0.25)));
    EXPECT_FALSE(large.shows(scaleDenominator(30.0 / 0.2)));
    EXPECT_TRUE(large.shows(1.0));
}

TEST(MapCanvasRendering, TheCommandsZoomDuringAFullRenderShowsTheZoomedPicture)
{
    testing::ensureApplication();
    QTemporaryDir dir;
    MainWindow window(testing::optionsIn(dir));
    window.resize(800, 600);
    window.show();
    // Opening starts the full-extent picture (and the Shapefile's index);
    // the command zooms before it is done, the way the search dialog does.
    ASSERT_TRUE(window.openFiles({towns().shapefile}).isEmpty());
    EXPECT_FALSE(window.canvas().pictureComplete());
    const gdal::Box parcel = parcelWindow(towns().shapefile, 77);
    auto map = window.document()->map();
    map->Extent(host::makeRef<gdal::GdalEnvelope>(parcel));
    map->Refresh();
    const gdal::Box expected = fitExtent(parcel, window.canvas().mapArea().size());
    EXPECT_EQ(window.canvas().shownExtent(), expected) << "the extent is the command's at once";

    ASSERT_TRUE(testing::waitForPicture(window.canvas()));
    EXPECT_EQ(window.canvas().pictureExtent(), expected);
    EXPECT_EQ(window.canvas().lastStats().dots, 0);
    EXPECT_GE(window.canvas().lastStats().shapes, 1);
    // The parcel fills the middle of the map.
    const QImage shown = window.canvas().grab().toImage();
    const QColor middle = shown.pixelColor(shown.width() / 2, shown.height() / 2);
    EXPECT_NE(middle, QColor(252, 252, 248));
    shown.save(testing::artifactFolder() + QStringLiteral("/zoom-during-full-render.png"));
}

TEST(MapCanvasRendering, ClosingTheWindowDuringARenderEndsCleanly)
{
    testing::ensureApplication();
    for (const std::string& file : {towns().shapefile, towns().geoPackage}) {
        QTemporaryDir dir;
        {
            MainWindow window(testing::optionsIn(dir));
            window.resize(800, 600);
            window.show();
            ASSERT_TRUE(window.openFiles({file}).isEmpty());
            window.canvas().zoomToFullExtent();
            EXPECT_FALSE(window.canvas().pictureComplete());
            window.close();
        }
        // What the worker posted before it was joined goes nowhere.
        QApplication::processEvents();
    }
}

TEST(MapCanvasRendering, AFileThatBreaksOffIsReportedAndThePictureStillFinishes)
{
    testing::ensureApplication();
    QTemporaryDir dir;
    const std::string folder = dir.filePath(QStringLiteral("town")).toStdString();
    towngen::writeTown({2000, 20, 1}, towngen::Format::Shapefile, folder);
    const std::string shp = folder + "/Parcels.shp";
    MainWindow window(testing::optionsIn(dir));
    window.resize(640, 480);
    window.show();
    ASSERT_TRUE(window.openFiles({shp}).isEmpty());
    ASSERT_TRUE(testing::waitForPicture(window.canvas()));
    EXPECT_TRUE(window.statusBar()->currentMessage().isEmpty() ||
                window.statusBar()->currentMessage() == QStringLiteral("Ready"));

    std::filesystem::resize_file(shp, std::filesystem::file_size(shp) / 2 + 3);
    window.canvas().zoomToFullExtent();
    ASSERT_TRUE(testing::waitForPicture(window.canvas()));
    EXPECT_TRUE(window.statusBar()->currentMessage().contains(QStringLiteral("Parcels")))
        << window.statusBar()->currentMessage().toStdString();
}

TEST(MapAutomation, AScreenshotWaitsForThePictureOfTheCurrentExtent)
{
    testing::ensureApplication();
    QTemporaryDir dir;
    MainWindow window(testing::optionsIn(dir));
    window.resize(640, 480);
    window.show();
    const QString shot = dir.filePath(QStringLiteral("map.png"));
    Automation automation(window, parseScript(QStringLiteral("open %1\nscreenshot %2\n")
                                                  .arg(QString::fromStdString(towns().shapefile), shot)));
    automation.start();
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(window.canvas().pictureComplete());
    EXPECT_GE(window.canvas().finishedCount(), 1);
    const QImage image(shot);
    ASSERT_FALSE(image.isNull());
    const QPoint centre = window.canvas().mapTo(&window, window.canvas().rect().center());
    int inked = 0;
    for (int dy = -40; dy <= 40; ++dy)
        for (int dx = -40; dx <= 40; ++dx)
            if (image.pixelColor(centre + QPoint(dx, dy)) != QColor(252, 252, 248)) ++inked;
    EXPECT_GT(inked, 100) << "the screenshot shows an empty map";
}

} // namespace
} // namespace corvane::map
