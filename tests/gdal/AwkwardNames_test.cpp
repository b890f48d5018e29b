// Field and layer names that are not plain words: blanks, SQL keywords,
// quotes of either kind, and names cut short by a NUL byte.

#include <gtest/gtest.h>

#include <gdal_priv.h>

#include <map>

#include "TownFiles.h"
#include "gdal/DataSource.h"
#include "gdal/MapBuilder.h"
#include "host/HostError.h"
#include "host/QueryFilter.h"

namespace corvane::gdal {
namespace {

using namespace std::string_literals;

const char* const kTextFields[] = {"my field", "select", "O'Brien", "\"q\"", "STNAME"};

// One layer "Owners" with the awkward fields and a number field NUM; row i
// holds "v<i>" in each text field (row 3 holds "v1" again) and i in NUM.
std::string writeOwners(const char* driverName, const std::string& path)
{
    GDALAllRegister();
    GDALDatasetUniquePtr dataset(
        GetGDALDriverManager()->GetDriverByName(driverName)->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset) throw std::runtime_error("cannot create " + path);
    OGRLayer* layer = dataset->CreateLayer("Owners", nullptr, wkbPoint, nullptr);
    for (const char* name : kTextFields) {
        OGRFieldDefn field(name, OFTString);
        if (layer->CreateField(&field) != OGRERR_NONE) throw std::runtime_error("cannot add the field "s + name);
    }
    OGRFieldDefn number("NUM", OFTInteger);
    layer->CreateField(&number);
    for (int i = 1; i <= 3; ++i) {
        OGRFeature feature(layer->GetLayerDefn());
        const std::string value = "v" + std::to_string(i == 3 ? 1 : i);
        for (const char* name : kTextFields) feature.SetField(feature.GetFieldIndex(name), value.c_str());
        feature.SetField("NUM", i);
        OGRPoint point(i, i);
        feature.SetGeometry(&point);
        if (layer->CreateFeature(&feature) != OGRERR_NONE) throw std::runtime_error("cannot write " + path);
    }
    return path;
}

class AwkwardNamesTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        const bool geoPackage = GetParam() == "GPKG"s;
        const std::string path =
            testing::scratchPath(geoPackage ? "awkward.gpkg"s : "awkward-shp");
        static std::map<std::string, std::string> written;
        if (!written.contains(path)) written[path] = writeOwners(GetParam(), path);
        m_path = geoPackage ? path : path + "/Owners.shp";
        m_map = openMap({m_path});
        m_owners = testing::featureLayer(*m_map, "Owners");
    }

    LayerTable& table() { return m_owners->table(); }

    std::vector<std::int32_t> numbers(const std::string& clause)
    {
        auto filter = host::makeRef<host::QueryFilter>();
        filter->WhereClause(clause);
        std::vector<std::int32_t> found;
        auto cursor = table().Search(filter, false);
        const std::int32_t num = table().FindField("NUM");
        while (auto row = cursor->NextRow()) found.push_back(static_cast<std::int32_t>(row->Value(num).toDouble()));
        return found;
    }

    std::string m_path;
    std::shared_ptr<GdalMap> m_map;
    std::shared_ptr<FeatureLayer> m_owners;
};

TEST_P(AwkwardNamesTest, FieldsWithBlanksKeywordsAndQuotesAreFoundAndQueried)
{
    for (const char* name : kTextFields) {
        EXPECT_GE(table().FindField(name), 0) << name;
        const std::string clause = name + " = 'v1'"s;
        EXPECT_EQ(numbers(clause), (std::vector<std::int32_t>{1, 3})) << clause;
        auto filter = host::makeRef<host::QueryFilter>();
        filter->WhereClause(clause);
        EXPECT_EQ(table().FeatureCount(filter), 2) << clause;
    }
    // As the address pick writes it, and with the layer's names in another case.
    EXPECT_EQ(numbers("O'Brien = 'v1' AND NUM = 3"), (std::vector<std::int32_t>{3}));
    EXPECT_EQ(numbers("MY FIELD = 'v2' AND SELECT = 'v2'"), (std::vector<std::int32_t>{2}));
    // Text that spells a field name stays text.
    EXPECT_TRUE(numbers("STNAME = 'select = 1'").empty());
}

TEST_P(AwkwardNamesTest, NamesCutShortByANulByteAreNeverFound)
{
    EXPECT_EQ(table().FindField("NUM\0x"s), -1);
    EXPECT_EQ(table().FindField("STNAME\0 OR 1=1"s), -1);
    EXPECT_EQ(table().Search(nullptr, true)->FindField("NUM\0"s), -1);
    auto source = DataSource::create(m_path);
    EXPECT_NO_THROW((void)source->lease("Owners"));
    EXPECT_THROW((void)source->lease("Owners\0x"s), host::HostError);
}

TEST_P(AwkwardNamesTest, AClauseWithANulByteIsAHostErrorNotAShorterClause)
{
    for (const std::string& clause : {"STNAME = 'v1' AND NUM\0x = 1"s, "STNAME\0 OR 1=1 = 'v1'"s, "NUM = 1\0"s,
                                     "FID in (1)\0"s}) {
        auto filter = host::makeRef<host::QueryFilter>();
        filter->WhereClause(clause);
        EXPECT_THROW((void)numbers(clause), host::HostError);
        EXPECT_THROW((void)table().FeatureCount(filter), host::HostError);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, AwkwardNamesTest, ::testing::Values("GPKG", "ESRI Shapefile"),
                         [](const auto& format) { return format.param == "GPKG"s ? "GeoPackage"s : "Shapefile"s; });

} // namespace
} // namespace corvane::gdal
