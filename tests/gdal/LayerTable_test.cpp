#include "gdal/LayerTable.h"

#include <gtest/gtest.h>

#include <gdal_priv.h>

#include <filesystem>
#include <fstream>
#include <latch>
#include <thread>

#include "TownFiles.h"
#include "gdal/MapBuilder.h"
#include "host/HostError.h"
#include "host/QueryFilter.h"

namespace corvane::gdal {
namespace {

using testing::parcelsOf;
using testing::townFiles;

class LayerTableTest : public ::testing::TestWithParam<std::string> {
protected:
    std::shared_ptr<FeatureLayer> m_parcels = parcelsOf(GetParam());
    LayerTable& table() { return m_parcels->table(); }
    bool isGeoPackage() const { return GetParam() == townFiles().geoPackage; }
};

TEST_P(LayerTableTest, FieldsComeWithTheirHostTypesAfterTheObjectIdAndShape)
{
    auto fields = table().Fields();
    std::vector<std::pair<std::string, std::int32_t>> seen;
    for (std::int32_t i = 0; i < fields->FieldCount(); ++i) seen.emplace_back(fields->Field(i)->Name(), fields->Field(i)->Type());
    const std::string oid = isGeoPackage() ? "OBJECTID" : "FID";
    const std::string shape = isGeoPackage() ? "Shape" : "Shape";
    // Shapefiles know no 16-bit integers: FLOORS reads back as an integer there.
    const std::int32_t floors = isGeoPackage() ? host::esriFieldTypeSmallInteger : host::esriFieldTypeInteger;
    const std::vector<std::pair<std::string, std::int32_t>> expected{
        {oid, host::esriFieldTypeOID},         {shape, host::esriFieldTypeGeometry},
        {"PARCEL_ID", host::esriFieldTypeString}, {"STNAME", host::esriFieldTypeString},
        {"ADDNUM", host::esriFieldTypeInteger},  {"ADDNUM_TXT", host::esriFieldTypeString},
        {"SALEDATE", host::esriFieldTypeDate},   {"FLOORS", floors},
        {"AREA", host::esriFieldTypeDouble}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(table().OIDFieldName(), oid);
    EXPECT_TRUE(table().HasOID());
}

TEST_P(LayerTableTest, FindFieldIgnoresCase)
{
    EXPECT_EQ(table().FindField("stname"), 3);
    EXPECT_EQ(table().FindField("AddNum"), 4);
    EXPECT_EQ(table().FindField("shape"), 1);
    EXPECT_EQ(table().FindField("NOSUCH"), -1);
    EXPECT_EQ(table().Search(nullptr, true)->FindField("Addnum_Txt"), 5);
}

TEST_P(LayerTableTest, CountsEveryFeatureOrThoseOfAClause)
{
    EXPECT_EQ(table().FeatureCount(nullptr), testing::kTownParcels);
    EXPECT_EQ(table().RowCount(nullptr), testing::kTownParcels);
    auto filter = host::makeRef<host::QueryFilter>();
    filter->WhereClause("STNAME = 'Main St'");  // not its upper-case twin
    EXPECT_EQ(table().FeatureCount(filter), testing::kTownParcels / testing::kTownStreets);
}

// The map asks from its drawing thread while the window asks from its own:
// both must see the one value read (a race here shows under ThreadSanitizer).
TEST_P(LayerTableTest, ExtentAndTotalAskedFromSeveralThreadsAtOnceAgree)
{
    constexpr std::size_t kThreads = 4;
    std::latch start(static_cast<std::ptrdiff_t>(kThreads));
    std::vector<std::optional<Box>> extents(kThreads);
    std::vector<std::int64_t> totals(kThreads);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < kThreads; ++i) {
        threads.emplace_back([&, i] {
            start.arrive_and_wait();
            extents[i] = table().fullExtent();
            totals[i] = table().featureTotal();
        });
    }
    for (auto& thread : threads) thread.join();
    ASSERT_TRUE(extents[0].has_value());
    EXPECT_LT(extents[0]->xMin, extents[0]->xMax);
    for (std::size_t i = 0; i < kThreads; ++i) {
        EXPECT_EQ(totals[i], testing::kTownParcels);
        EXPECT_EQ(extents[i], extents[0]);
    }
}

TEST_P(LayerTableTest, ValuesAreTypedAndNullsAreNull)
{
    auto filter = host::makeRef<host::QueryFilter>();
    filter->WhereClause("STNAME = 'Main St'");
    auto cursor = table().Search(filter, false);
    auto first = cursor->NextRow();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Value(3), host::Variant("Main St"));
    EXPECT_EQ(first->Value(4), host::Variant(std::int32_t{1}));
    EXPECT_EQ(first->Value(5), host::Variant("1"));
    EXPECT_EQ(first->Value(6), host::Variant(host::DateTime{2003, 1, 2}));
    EXPECT_EQ(first->Value(0), host::Variant(first->OID()));
    EXPECT_TRUE(first->Value(8).isNumber());

    // The street without numbers: Null and empty numbers, and a Null and an empty street.
    filter->WhereClause("PARCEL_ID = 'P0000061' OR PARCEL_ID = 'P0000062'");
    cursor = table().Search(filter, false);
    auto nullStreet = cursor->NextRow();
    auto emptyStreet = cursor->NextRow();
    ASSERT_TRUE(nullStreet && emptyStreet);
    EXPECT_TRUE(nullStreet->Value(3).isNull());
    EXPECT_TRUE(nullStreet->Value(4).isNull());
    EXPECT_TRUE(emptyStreet->Value(4).isNull());
    if (isGeoPackage()) {
        // A Shapefile cannot tell an empty text from a missing one.
        EXPECT_EQ(nullStreet->Value(5), host::Variant(""));
        EXPECT_EQ(emptyStreet->Value(3), host::Variant(""));
        EXPECT_TRUE(emptyStreet->Value(5).isNull());
    }
    EXPECT_FALSE(cursor->NextRow());
}

TEST_P(LayerTableTest, ShapesAreNotValuesAndIndexesAreChecked)
{
    auto row = table().Search(nullptr, false)->NextRow();
    EXPECT_THROW((void)row->Value(1), host::HostError);
    EXPECT_THROW((void)row->Value(9), host::HostError);
    EXPECT_THROW((void)row->Value(-1), host::HostError);
}

INSTANTIATE_TEST_SUITE_P(Formats, LayerTableTest,
                         ::testing::Values(townFiles().geoPackage, townFiles().parcelsShp));

TEST(LayerTableDamageTest, AFileThatBreaksOffMidReadIsAnErrorNotAShortList)
{
    const std::string folder = testing::scratchPath("damaged");
    std::filesystem::create_directories(folder);
    for (const char* extension : {".shp", ".shx", ".dbf", ".cpg", ".prj"}) {
        std::filesystem::copy_file(townFiles().shapefiles + "/Parcels" + extension, folder + "/Parcels" + extension);
    }
    const auto dbf = folder + "/Parcels.dbf";
    std::filesystem::resize_file(dbf, std::filesystem::file_size(dbf) / 2);

    auto parcels = parcelsOf(folder + "/Parcels.shp");
    auto cursor = parcels->table().Search(nullptr, false);
    try {
        while (cursor->NextRow()) {
        }
        ADD_FAILURE() << "read to the end of a damaged file";
    } catch (const host::HostError& error) {
        EXPECT_LT(error.number(), 0);
        EXPECT_NE(error.description().find(folder), std::string::npos) << error.description();
        EXPECT_NE(error.description().find("DBF"), std::string::npos) << error.description();
    }
}

// Half of one of the three files of the parcels' Shapefile: opening or
// reading it fails with a message that names that file in full.
TEST(LayerTableDamageTest, ADamagedShpShxOrDbfIsNamedInTheMessage)
{
    for (const char* extension : {".shp", ".shx", ".dbf"}) {
        SCOPED_TRACE(extension);
        const std::string folder = testing::scratchPath(std::string("damaged") + extension);
        std::filesystem::create_directories(folder);
        for (const char* part : {".shp", ".shx", ".dbf", ".cpg", ".prj"}) {
            std::filesystem::copy_file(townFiles().shapefiles + "/Parcels" + part, folder + "/Parcels" + part);
        }
        const std::string damaged = folder + "/Parcels" + extension;
        std::filesystem::resize_file(damaged, std::filesystem::file_size(damaged) / 2);
        try {
            auto parcels = parcelsOf(folder + "/Parcels.shp");
            auto cursor = parcels->Search(nullptr, false);
            while (auto feature = cursor->NextFeature()) (void)feature->Shape();
            ADD_FAILURE() << "read to the end of a damaged file";
        } catch (const host::HostError& error) {
            EXPECT_NE(error.description().find(damaged), std::string::npos) << error.description();
        }
    }
}

TEST(LayerTableEncodingTest, ShapefileTextInItsDeclaredEncodingComesOutAsUtf8)
{
    const std::string folder = testing::scratchPath("latin1");
    {
        GDALAllRegister();
        GDALDatasetUniquePtr dataset(GetGDALDriverManager()->GetDriverByName("ESRI Shapefile")
                                         ->Create(folder.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        ASSERT_TRUE(dataset);
        const char* options[] = {"ENCODING=ISO-8859-1", nullptr};
        OGRLayer* layer = dataset->CreateLayer("owners", nullptr, wkbPoint, const_cast<char**>(options));
        ASSERT_NE(layer, nullptr);
        OGRFieldDefn name("NAME", OFTString);
        ASSERT_EQ(layer->CreateField(&name), OGRERR_NONE);
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField(0, "Peña Müller");
        OGRPoint point(1, 2);
        feature.SetGeometry(&point);
        ASSERT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
    }
    // The file holds Latin-1 bytes, and says so.
    std::ifstream dbf(folder + "/owners.dbf", std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(dbf.tellg()), '\0');
    dbf.seekg(0);
    dbf.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_NE(bytes.find("Pe\xf1" "a M\xfcller"), std::string::npos);

    auto map = openMap({folder + "/owners.shp"});
    auto owners = map->Layer(0).as<FeatureLayer>();
    ASSERT_TRUE(owners);
    auto row = owners->table().Search(nullptr, false)->NextRow();
    EXPECT_EQ(row->Value(owners->table().FindField("NAME")), host::Variant("Peña Müller"));
}

} // namespace
} // namespace corvane::gdal
