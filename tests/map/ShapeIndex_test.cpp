#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <random>
#include <set>

#include "LayerBoxes.h"
#include "ShapeIndex.h"
#include "ShapefileBoxes.h"
#include "gdal/DataSource.h"
#include "gdal/LayerSchema.h"
#include "gdal/MapBuilder.h"
#include "gdal/GdalLayers.h"
#include "towngen/TownWriter.h"

namespace corvane::map {
namespace {

std::set<std::int64_t> found(const ShapeIndex& index, const gdal::Box& area)
{
    std::set<std::int64_t> fids;
    index.visit(area, [&](const IndexedBox& b) {
        EXPECT_TRUE(fids.insert(b.fid).second) << "found twice: " << b.fid;
        return true;
    });
    return fids;
}

std::set<std::int64_t> scanned(const std::vector<IndexedBox>& boxes, const gdal::Box& area)
{
    std::set<std::int64_t> fids;
    for (const IndexedBox& b : boxes)
        if (meets(b.box, area)) fids.insert(b.fid);
    return fids;
}

TEST(MapShapeIndex, FindsExactlyWhatAScanOfEveryBoxFinds)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> at(0.0, 1000.0), size(0.0, 12.0);
    std::vector<IndexedBox> boxes;
    for (std::int64_t fid = 0; fid < 20'000; ++fid) {
        const double x = at(random), y = at(random);
        boxes.push_back({{x, y, x + size(random), y + size(random)}, fid});
    }
    // Shared corners and zero-size boxes (points) are where edges matter.
    boxes.push_back({{500, 500, 500, 500}, 20'000});
    boxes.push_back({{490, 490, 500, 500}, 20'001});
    const ShapeIndex index(boxes);
    ASSERT_EQ(index.size(), boxes.size());

    std::vector<gdal::Box> areas{{500, 500, 500, 500}, {-10, -10, -1, -1}, {-1e9, -1e9, 1e9, 1e9}, {0, 0, 1000, 0.5}};
    for (int i = 0; i < 200; ++i) {
        const double x = at(random), y = at(random), w = size(random) * 10 * (i % 5);
        areas.push_back({x, y, x + w, y + w});
    }
    for (const gdal::Box& area : areas)
        EXPECT_EQ(found(index, area), scanned(boxes, area)) << area.xMin << ' ' << area.yMin << ' ' << area.xMax;
}

TEST(MapShapeIndex, StopsWhenAskedAndCopesWithNoBoxes)
{
    const ShapeIndex empty({});
    EXPECT_TRUE(empty.visit({0, 0, 1, 1}, [](const IndexedBox&) { return true; }));
    EXPECT_EQ(empty.bounds(), (gdal::Box{}));

    std::vector<IndexedBox> boxes;
    for (std::int64_t i = 0; i < 100; ++i) boxes.push_back({{double(i), 0, double(i) + 1, 1}, i});
    const ShapeIndex index(boxes);
    EXPECT_EQ(index.bounds(), (gdal::Box{0, 0, 100, 1}));
    int visited = 0;
    EXPECT_FALSE(index.visit({0, 0, 100, 1}, [&](const IndexedBox&) { return ++visited < 3; }));
    EXPECT_EQ(visited, 3);
}

// A Shapefile written without .qix: its in-memory index, built from the
// file, against reading every shape's box with OGR.
TEST(MapShapeIndex, BuiltFromAFileWithoutIndexMatchesOgrsScanAndWritesNothingBesideIt)
{
    QTemporaryDir dir;
    const std::string folder = dir.filePath(QStringLiteral("town")).toStdString();
    towngen::writeTown({3000, 40, 1}, towngen::Format::Shapefile, folder);
    const std::string file = folder + "/Parcels.shp";
    const auto before = std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator());

    auto map = gdal::openMap({file});
    auto* layer = dynamic_cast<gdal::FeatureLayer*>(map->layers().front().get());
    ASSERT_NE(layer, nullptr);
    LayerBoxCache cache;
    int reports = 0;
    RenderControl control;
    control.status = [&](const QString&) { ++reports; };
    const auto boxes = cache.boxesOf(layer->table(), control);
    ASSERT_NE(boxes, nullptr);
    EXPECT_GT(reports, 0);
    EXPECT_FALSE(boxes->storeFiltersQuickly());
    EXPECT_EQ(cache.boxesOf(layer->table(), control), boxes) << "built once, then reused";

    std::vector<IndexedBox> all;
    {
        GDALDatasetUniquePtr ds(GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
        OGRLayer* ogr = ds->GetLayer(0);
        for (OGRFeatureUniquePtr f(ogr->GetNextFeature()); f; f.reset(ogr->GetNextFeature())) {
            OGREnvelope e;
            f->GetGeometryRef()->getEnvelope(&e);
            all.push_back({{e.MinX, e.MinY, e.MaxX, e.MaxY}, f->GetFID()});
        }
    }
    EXPECT_EQ(boxes->count(), static_cast<std::int64_t>(all.size()));
    const gdal::Box extent = boxes->extent();
    for (int i = 0; i <= 10; ++i) {
        const double f = i / 10.0;
        const gdal::Box area{extent.xMin + (extent.xMax - extent.xMin) * f * 0.5,
                             extent.yMin + (extent.yMax - extent.yMin) * f * 0.3,
                             extent.xMin + (extent.xMax - extent.xMin) * (0.1 + f * 0.6),
                             extent.yMin + (extent.yMax - extent.yMin) * (0.2 + f * 0.5)};
        std::set<std::int64_t> fromIndex;
        boxes->visit(area, {}, [&](const IndexedBox& b) { return fromIndex.insert(b.fid).second; });
        EXPECT_EQ(fromIndex, scanned(all, area));
    }
    const auto after = std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator());
    EXPECT_EQ(after, before);
}

TEST(MapShapeIndex, AShpFileCutShortOrNotAShpIsLeftToOgr)
{
    QTemporaryDir dir;
    const std::string folder = dir.filePath(QStringLiteral("town")).toStdString();
    towngen::writeTown({500, 10, 1}, towngen::Format::Shapefile, folder);
    const std::string shp = folder + "/Parcels.shp";
    const auto whole = readShapefileBoxes(shp);
    ASSERT_TRUE(whole.has_value());
    EXPECT_EQ(whole->size(), 500u);
    // Read through windows smaller than the file, records straddling them.
    const auto windowed = readShapefileBoxes(shp, 1000);
    ASSERT_TRUE(windowed.has_value());
    ASSERT_EQ(windowed->size(), whole->size());
    for (std::size_t i = 0; i < whole->size(); ++i) {
        EXPECT_EQ((*windowed)[i].fid, (*whole)[i].fid);
        EXPECT_EQ((*windowed)[i].box, (*whole)[i].box);
    }
    EXPECT_FALSE(readShapefileBoxes(shp, 40).has_value()) << "a record larger than the window";

    std::filesystem::resize_file(shp, std::filesystem::file_size(shp) - 7);
    EXPECT_FALSE(readShapefileBoxes(shp).has_value());
    EXPECT_FALSE(readShapefileBoxes(folder + "/Parcels.dbf").has_value());
    EXPECT_FALSE(readShapefileBoxes(folder + "/missing.shp").has_value());
}

} // namespace
} // namespace corvane::map
