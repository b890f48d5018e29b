#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "LabelPlacer.h"
#include "MapApp.h"
#include "MapRenderer.h"
#include "gdal/MapBuilder.h"
#include "towngen/TownWriter.h"

namespace corvane::map {
namespace {

TEST(MapFitExtent, WidensToTheViewportsShapeAboutTheCentre)
{
    const gdal::Box fitted = fitExtent({940, 1975, 1060, 2025}, QSizeF(400, 400));
    EXPECT_DOUBLE_EQ(fitted.xMin, 940);
    EXPECT_DOUBLE_EQ(fitted.xMax, 1060);
    EXPECT_DOUBLE_EQ(fitted.yMin, 1940);
    EXPECT_DOUBLE_EQ(fitted.yMax, 2060);
    const gdal::Box tall = fitExtent({0, 0, 100, 400}, QSizeF(200, 100));
    EXPECT_DOUBLE_EQ(tall.xMax - tall.xMin, 800);
    EXPECT_DOUBLE_EQ(tall.yMax - tall.yMin, 400);
}

TEST(MapTransform, PutsTheExtentOnTheTargetWithNorthUp)
{
    const QTransform t = mapToPixels({100, 200, 300, 400}, QRectF(10, 20, 200, 200));
    EXPECT_EQ(t.map(QPointF(100, 400)), QPointF(10, 20));
    EXPECT_EQ(t.map(QPointF(300, 200)), QPointF(210, 220));
}

struct Drawn {
    RenderStats stats;
    QImage image;
};

Drawn draw(const std::shared_ptr<gdal::GdalMap>& map, const MapLook& look, const gdal::Box& requested, QSize size)
{
    MapRenderer renderer(map);
    renderer.setLook(std::make_shared<const MapLook>(look));
    Drawn out{{}, QImage(size, QImage::Format_ARGB32_Premultiplied)};
    out.image.fill(Qt::white);
    QPainter painter(&out.image);
    out.stats = renderer.render(painter, QRectF(QPointF(0, 0), size), fitExtent(requested, size));
    return out;
}

TEST(MapRendererLabels, ATownsLabelsNeverOverlapAtAnyScale)
{
    testing::ensureApplication();
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("town.gpkg")).toStdString();
    towngen::writeTown(towngen::TownSize{400, 8, 1}, towngen::Format::GeoPackage, path);
    auto map = gdal::openMap({path});
    const MapLook look = MapLook::defaultsFor(*map);
    const gdal::Box full = *map->fullExtent();
    const double cx = (full.xMin + full.xMax) / 2, cy = (full.yMin + full.yMax) / 2;
    std::int64_t labelled = 0;
    for (const double half : {2000.0, 600.0, 200.0, 60.0}) {
        const Drawn drawn = draw(map, look, {cx - half, cy - half, cx + half, cy + half}, QSize(600, 400));
        labelled += drawn.stats.labels;
        const auto& outlines = drawn.stats.labelOutlines;
        for (std::size_t i = 0; i < outlines.size(); ++i)
            for (std::size_t j = i + 1; j < outlines.size(); ++j)
                ASSERT_FALSE(outlinesOverlap(outlines[i], outlines[j])) << "at " << half << ": labels " << i << " and " << j;
        if (half == 200.0) drawn.image.save(testing::artifactFolder() + QStringLiteral("/labels.png"));
    }
    EXPECT_GT(labelled, 20);
}

TEST(MapRendererLabels, AHiddenLayerDrawsNothingAndTooSmallFeaturesGetNoLabels)
{
    testing::ensureApplication();
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("town.gpkg")).toStdString();
    towngen::writeTown(towngen::TownSize{400, 8, 1}, towngen::Format::GeoPackage, path);
    auto map = gdal::openMap({path});
    MapLook look = MapLook::defaultsFor(*map);
    const gdal::Box full = *map->fullExtent();
    const Drawn all = draw(map, look, full, QSize(600, 400));
    for (gdal::FeatureLayer* layer : featureLayersOf(*map))
        if (layer->Name() == "Parcels") look.of(*layer).visible = false;
    const Drawn hidden = draw(map, look, full, QSize(600, 400));
    EXPECT_EQ(all.stats.shapes - hidden.stats.shapes, 400);
    // On a stamp-sized picture parcels are a pixel or two and streets
    // shorter than their names: no labels (points would still have room).
    MapLook stamp = MapLook::defaultsFor(*map);
    for (gdal::FeatureLayer* layer : featureLayersOf(*map))
        if (layer->Name() == "Schools") stamp.of(*layer).labelField.clear();
    const Drawn tiny = draw(map, stamp, full, QSize(60, 40));
    EXPECT_EQ(tiny.stats.labels, 0);
}

} // namespace
} // namespace corvane::map
