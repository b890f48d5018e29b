#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <random>

#include "LayerLook.h"
#include "MapApp.h"
#include "MapRenderer.h"
#include "ShapesById.h"
#include "gdal/GdalLayers.h"
#include "gdal/MapBuilder.h"
#include "towngen/TownWriter.h"

namespace corvane::map {
namespace {

struct Read {
    std::int64_t fid;
    std::string text;
    friend bool operator==(const Read&, const Read&) = default;
};

gdal::FeatureLayer& onlyLayer(gdal::GdalMap& map)
{
    const std::vector<gdal::FeatureLayer*> layers = featureLayersOf(map);
    EXPECT_EQ(layers.size(), 1U);
    return *layers.front();
}

// What a filtered scan reads is what fetching the same IDs reads, in the
// same order, with the same label text, however the IDs came.
TEST(MapShapesById, ReadsWhatTheFilteredScanReadsWithItsLabelText)
{
    QTemporaryDir dir;
    const std::string folder = dir.filePath(QStringLiteral("town")).toStdString();
    towngen::writeTown({600, 12, 1}, towngen::Format::Shapefile, folder);
    auto map = gdal::openMap({folder + "/Parcels.shp"});
    gdal::LayerTable& table = onlyLayer(*map).table();
    const int field = table.schema().field(table.schema().findField("ADDNUM_TXT")).ogrIndex;
    const gdal::Box full = *table.fullExtent();
    const gdal::Box area{full.xMin, full.yMin, (full.xMin + full.xMax) / 2, full.yMax};

    std::vector<Read> scanned;
    table.labelledShapesWithin(area, field, [&](const OGRGeometry&, std::int64_t fid, const char* text) {
        scanned.push_back({fid, text});
        return true;
    });
    ASSERT_GT(scanned.size(), 50U);
    ASSERT_LT(scanned.size(), 600U);

    std::vector<std::int64_t> fids;
    for (const Read& r : scanned) fids.push_back(r.fid);
    std::shuffle(fids.begin(), fids.end(), std::mt19937(3));
    std::vector<Read> fetched;
    EXPECT_TRUE(readShapesById(table, fids, field, {}, [&](const OGRGeometry& g, std::int64_t fid, const char* text) {
        EXPECT_FALSE(g.IsEmpty());
        fetched.push_back({fid, text});
        return true;
    }));
    EXPECT_EQ(fetched, scanned);

    // A render made stale stops within a few hundred shapes.
    std::int64_t seen = 0;
    RenderControl stale;
    stale.stale = [] { return true; };
    EXPECT_FALSE(readShapesById(table, fids, -1, stale, [&](const OGRGeometry&, std::int64_t, const char* text) {
        EXPECT_STREQ(text, "");
        ++seen;
        return true;
    }));
    EXPECT_LT(seen, 300);
}

int inkedPixels(const QImage& image)
{
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) ++inked;
    return inked;
}

// One long layer need not be finished to be seen: the render offers its
// picture within the layer too, and each offer holds more of it.
TEST(MapRenderer, ALongLayerOffersItsPartDrawnSoFarWhileItDraws)
{
    testing::ensureApplication();
    QTemporaryDir dir;
    const std::string folder = dir.filePath(QStringLiteral("town")).toStdString();
    towngen::writeTown({3000, 30, 1}, towngen::Format::Shapefile, folder);
    auto map = gdal::openMap({folder + "/Parcels.shp"});
    MapRenderer renderer(map);
    renderer.setLook(std::make_shared<const MapLook>(MapLook::defaultsFor(*map)));
    QImage image(1600, 1600, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    std::vector<int> offered;
    RenderControl control;
    control.drawnSoFar = [&] { offered.push_back(inkedPixels(image)); };
    const gdal::Box full = *map->fullExtent();
    const gdal::Box part{full.xMin, full.yMin, full.xMin + (full.xMax - full.xMin) / 8, full.yMax};
    const RenderStats stats = renderer.render(painter, QRectF(image.rect()), fitExtent(part, image.size()), control);
    ASSERT_TRUE(stats.complete);
    ASSERT_GT(stats.shapes, 600) << "too few shapes in full to be offered within the layer";
    ASSERT_GE(offered.size(), 3U);
    const int finished = inkedPixels(image);
    EXPECT_GT(offered.front(), 0);
    EXPECT_LT(offered.front(), finished);
    EXPECT_TRUE(std::is_sorted(offered.begin(), offered.end()));
}

} // namespace
} // namespace corvane::map
