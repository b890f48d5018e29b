#include "gdal/MapBuilder.h"

#include <gtest/gtest.h>

#include <gdal_priv.h>

#include "TownFiles.h"
#include "gdal/GdalLayers.h"
#include "host/HostError.h"

namespace corvane::gdal {
namespace {

using testing::scratchPath;
using testing::townFiles;
using testing::writeScratchFile;

// name for a feature layer, name* for a plain layer, name[...] for a group.
std::string tree(const host::Ref<host::ILayer>& layer)
{
    if (layer.is<host::IGroupLayer>()) {
        auto composite = layer.as<host::ICompositeLayer>();
        std::string text = layer->Name() + "[";
        for (std::int32_t i = 0; i < composite->Count(); ++i) text += (i > 0 ? "," : "") + tree(composite->Layer(i));
        return text + "]";
    }
    return layer->Name() + (layer.is<host::IFeatureLayer>() ? "" : "*");
}

std::string tree(GdalMap& map)
{
    std::string text;
    for (std::int32_t i = 0; i < map.LayerCount(); ++i) text += (i > 0 ? " " : "") + tree(map.Layer(i));
    return text;
}

host::HostError openError(const std::string& path)
{
    try {
        (void)openGisFile(path);
    } catch (const host::HostError& error) {
        return error;
    }
    ADD_FAILURE() << "opened " << path;
    return host::HostError(0, "");
}

TEST(MapBuilderTest, GeoPackageLayersNestInGroupsByTheirNames)
{
    auto map = openMap({townFiles().geoPackage});
    EXPECT_EQ(tree(*map), "town[Parcels,Streets,Landmarks[Schools],Utilities[Water[Hydrants]],Owners*]");
}

TEST(MapBuilderTest, FilesKeepTheirOrderAndSingleLayerFilesStayOnTop)
{
    auto map = openMap({townFiles().parcelsShp, townFiles().shapefiles});
    // OGR lists a folder's Shapefiles in its own order; check membership, not order.
    ASSERT_EQ(map->LayerCount(), 2);
    EXPECT_EQ(tree(map->Layer(0)), "Parcels");
    const std::string folder = tree(map->Layer(1));
    EXPECT_EQ(folder.rfind("town-shp[", 0), 0u) << folder;
    for (const char* layer : {"Parcels", "Streets", "Schools", "Hydrants", "Owners*"}) {
        EXPECT_NE(folder.find(layer), std::string::npos) << folder;
    }
}

TEST(MapBuilderTest, RastersAndCsvAndGeoJsonBecomeLayers)
{
    const std::string tif = scratchPath("image.tif");
    {
        GDALAllRegister();
        GDALDatasetUniquePtr raster(GetGDALDriverManager()->GetDriverByName("GTiff")->Create(tif.c_str(), 4, 4, 1, GDT_Byte, nullptr));
        ASSERT_TRUE(raster);
    }
    const std::string csv = writeScratchFile("wells.csv", "NAME,X,Y\nNorth,10.5,20\nSouth,11,19.5\n");
    const std::string json = writeScratchFile(
        "spots.geojson",
        R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{"NAME":"A"},"geometry":{"type":"Point","coordinates":[1,2]}}]})");

    auto map = openMap({tif, csv, json});
    EXPECT_EQ(tree(*map), "image* wells spots");
    auto wells = map->Layer(1).as<FeatureLayer>();
    EXPECT_EQ(wells->table().fullExtent(), (Box{10.5, 19.5, 11, 20}));
    EXPECT_EQ(wells->table().FindField("X"), -1);  // the coordinates are the shape
}

TEST(MapBuilderTest, MissingFileIsFileNotFoundNamingIt)
{
    const std::string path = scratchPath("nowhere.gpkg");
    const auto error = openError(path);
    EXPECT_EQ(error.number(), host::errors::kFileNotFound);
    EXPECT_NE(error.description().find(path), std::string::npos);
}

TEST(MapBuilderTest, FilesGdalCannotReadAreHostErrorsNamingThem)
{
    const std::string text = writeScratchFile("notes.gpkg", "these are not the parcels you are looking for\n");
    std::string damaged(4096, '\x7f');
    damaged.replace(0, 16, std::string("SQLite format 3\0", 16));
    const std::string broken = writeScratchFile("broken.gpkg", damaged);
    for (const std::string& path : {text, broken}) {
        const auto error = openError(path);
        EXPECT_LT(error.number(), 0) << path;
        EXPECT_NE(error.description().find(path), std::string::npos) << error.description();
    }
}

TEST(MapBuilderTest, AGeoPackageWithMoreTablesThanGdalOpensSaysSoNamingTheFile)
{
    const std::string path = scratchPath("many-tables.gpkg");
    {
        GDALAllRegister();
        GDALDatasetUniquePtr dataset(
            GetGDALDriverManager()->GetDriverByName("GPKG")->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        ASSERT_TRUE(dataset);
        for (const char* name : {"a", "b", "c", "d"}) ASSERT_NE(dataset->CreateLayer(name, nullptr, wkbPoint), nullptr);
    }
    EXPECT_TRUE(openMap({path})->warnings().empty());
    CPLConfigOptionSetter limit("OGR_TABLE_LIMIT", "2", false);
    auto map = openMap({path});
    ASSERT_EQ(map->warnings().size(), 1u);
    EXPECT_NE(map->warnings()[0].find(path), std::string::npos) << map->warnings()[0];
    EXPECT_EQ(tree(*map), "many-tables[a,b]");
}

} // namespace
} // namespace corvane::gdal
