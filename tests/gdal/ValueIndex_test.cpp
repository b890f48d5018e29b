#include "gdal/ValueIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "TownFiles.h"
#include "gdal/LayerTable.h"
#include "host/QueryFilter.h"

namespace corvane::gdal {
namespace {

// Street values that a careless index would mix up: letter case, blanks,
// Null beside empty text, a quote, a name held by one row only.
const std::vector<std::optional<std::string>> kStreets = {
    "Oak", "OAK", " Oak", "oak", "", std::nullopt, "Elm", "O'Neil", "Oak ", "Elm"};
constexpr int kRows = 150;
constexpr int kLonelyRow = 77;
const char* const kLonely = "Única Rua";

void writeStreets(const std::string& path, const char* driverName, const std::string& renameOak = "Oak",
                  const char* encoding = nullptr)
{
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName);
    if (std::filesystem::exists(path)) driver->Delete(path.c_str());
    GDALDatasetUniquePtr dataset(driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    ASSERT_TRUE(dataset);
    CPLStringList options;
    if (encoding != nullptr) options.SetNameValue("ENCODING", encoding);
    OGRLayer* layer = dataset->CreateLayer("Parcels", nullptr, wkbPoint, options.List());
    ASSERT_NE(layer, nullptr);
    OGRFieldDefn street("STNAME", OFTString);
    street.SetWidth(40);
    OGRFieldDefn number("ADDNUM", OFTString);
    number.SetWidth(8);
    ASSERT_EQ(layer->CreateField(&street), OGRERR_NONE);
    ASSERT_EQ(layer->CreateField(&number), OGRERR_NONE);
    for (int row = 0; row < kRows; ++row) {
        OGRFeature feature(layer->GetLayerDefn());
        const auto& value = kStreets[static_cast<std::size_t>(row) % kStreets.size()];
        if (row == kLonelyRow) feature.SetField(0, kLonely);
        else if (!value) feature.SetFieldNull(0);
        else feature.SetField(0, *value == "Oak" ? renameOak.c_str() : value->c_str());
        feature.SetField(1, std::to_string(row % 7).c_str());
        OGRPoint point(row, row);
        feature.SetGeometry(&point);
        ASSERT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
    }
}

host::Ref<host::IQueryFilter> where(const std::string& clause)
{
    auto filter = host::makeRef<host::QueryFilter>();
    filter->WhereClause(clause);
    return filter;
}

std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (const char c : text) {
        out += c;
        if (c == '\'') out += c;
    }
    return out + "'";
}

std::vector<std::string> clauses()
{
    std::vector<std::string> found;
    std::vector<std::string> texts{kLonely, "Nowhere", "oak ", "OAK "};
    for (const auto& value : kStreets) texts.push_back(value.value_or("<Null>"));
    for (const auto& text : texts) {
        found.push_back("STNAME = " + quoted(text));
        found.push_back("STNAME = " + quoted(text) + " AND ADDNUM = '3'");
        found.push_back("ADDNUM = '3' AND STNAME = " + quoted(text));
    }
    return found;
}

struct Format {
    const char* driver;
    const char* file;
};

class ValueIndexTest : public ::testing::TestWithParam<Format> {
protected:
    std::string m_path = testing::scratchPath(std::string("streets-") + GetParam().file);

    void SetUp() override
    {
        if (GetParam().driver == std::string("ESRI Shapefile")) {
            std::filesystem::create_directories(m_path);
            m_path += "/Parcels.shp";
        }
        writeStreets(m_path, GetParam().driver);
    }

    static std::vector<std::int32_t> ids(LayerTable& table, const std::string& clause, bool withShapes)
    {
        std::vector<std::int32_t> found;
        if (withShapes) {
            auto cursor = table.searchFeatures(where(clause), true);
            while (auto feature = cursor->NextFeature()) found.push_back(feature->OID());
        } else {
            auto cursor = table.Search(where(clause), false);
            while (auto row = cursor->NextRow()) found.push_back(row->OID());
        }
        return found;
    }

    // What the street list does: every row's street, nothing else.
    static void readStreets(LayerTable& table)
    {
        auto cursor = table.Search(nullptr, false);
        const std::int32_t field = table.FindField("STNAME");
        while (auto row = cursor->NextRow()) (void)row->Value(field);
    }

    static bool indexed(LayerTable& table) { return table.source()->valueIndex("Parcels", "STNAME") != nullptr; }
};

TEST_P(ValueIndexTest, ClausesAnsweredFromTheIndexGiveTheRowsAScanGives)
{
    auto scanned = testing::parcelsOf(m_path);
    auto indexedLayer = testing::parcelsOf(m_path);
    readStreets(indexedLayer->table());
    ASSERT_TRUE(indexed(indexedLayer->table()));
    ASSERT_FALSE(indexed(scanned->table()));
    for (const auto& clause : clauses()) {
        SCOPED_TRACE(clause);
        for (const bool withShapes : {false, true}) {
            EXPECT_EQ(ids(indexedLayer->table(), clause, withShapes), ids(scanned->table(), clause, withShapes));
        }
    }
    // Spot checks that the scan itself is right.
    EXPECT_EQ(ids(scanned->table(), "STNAME = " + quoted(kLonely), false).size(), 1u);
    // A Shapefile gives its texts back without their blanks.
    EXPECT_GE(ids(scanned->table(), "STNAME = 'Oak'", false).size(), 15u);
    EXPECT_EQ(static_cast<host::IFeatureClass&>(indexedLayer->table()).FeatureCount(where("STNAME = 'Elm'")), 30);
}

TEST_P(ValueIndexTest, AFileChangedAfterTheListWasReadIsReadAfresh)
{
    auto layer = testing::parcelsOf(m_path);
    readStreets(layer->table());
    ASSERT_TRUE(indexed(layer->table()));
    ASSERT_EQ(ids(layer->table(), "STNAME = 'Pine'", false).size(), 0u);

    writeStreets(m_path, GetParam().driver, "Pine");
    EXPECT_EQ(ids(layer->table(), "STNAME = 'Pine'", false).size(), 15u);
    EXPECT_EQ(ids(layer->table(), "STNAME = 'Pine' AND ADDNUM = '3'", true).size(), 2u);
    EXPECT_FALSE(indexed(layer->table()));
    readStreets(layer->table());
    EXPECT_TRUE(indexed(layer->table()));
    EXPECT_EQ(ids(layer->table(), "STNAME = 'Pine'", false).size(), 15u);
}

INSTANTIATE_TEST_SUITE_P(Formats, ValueIndexTest,
                         ::testing::Values(Format{"GPKG", "plain.gpkg"}, Format{"ESRI Shapefile", "plain.shp"}),
                         [](const auto& format) {
                             const std::string file = format.param.file;
                             return file.substr(file.rfind('.') + 1);
                         });

// What the street list reads of each row of a file without indexes (a
// Shapefile's .dbf in either encoding, a GeoPackage), against OGR reading
// the same file feature by feature.
TEST(WholeColumnRead, GivesEachRowTheValueOgrGivesIt)
{
    const struct {
        const char* driver;
        const char* encoding;
        const char* file;
    } cases[] = {{"ESRI Shapefile", "UTF-8", "utf8/Parcels.shp"},
                 {"ESRI Shapefile", "ISO-8859-1", "latin1/Parcels.shp"},
                 {"GPKG", nullptr, "plain-read.gpkg"}};
    for (const auto& format : cases) {
        SCOPED_TRACE(format.file);
        const std::string path = testing::scratchPath(format.file);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        writeStreets(path, format.driver, "Oak", format.encoding);
        if (std::string(format.driver) == "GPKG") {
            // SQLite keeps what it is given: a blob with a NUL byte in the
            // text column (OGR takes the text up to it), blanks around a name.
            GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE));
            dataset->ExecuteSQL("UPDATE Parcels SET STNAME = X'4F616B0058' WHERE fid = 3", nullptr, nullptr);
            dataset->ExecuteSQL("UPDATE Parcels SET STNAME = '  Oak ' WHERE fid = 4", nullptr, nullptr);
        }

        std::map<std::int32_t, std::string> byOgr;
        {
            GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR));
            OGRLayer* layer = dataset->GetLayerByName("Parcels");
            for (OGRFeatureUniquePtr feature(layer->GetNextFeature()); feature; feature.reset(layer->GetNextFeature())) {
                byOgr[static_cast<std::int32_t>(feature->GetFID())] =
                    feature->IsFieldSetAndNotNull(0) ? feature->GetFieldAsString(0) : "<Null>";
            }
        }
        EXPECT_EQ(std::count_if(byOgr.begin(), byOgr.end(), [](const auto& row) { return row.second == kLonely; }), 1);

        auto layer = testing::parcelsOf(path);
        LayerTable& table = layer->table();
        const std::int32_t field = table.FindField("STNAME");
        const std::int32_t number = table.FindField("ADDNUM");
        std::map<std::int32_t, std::string> listed;
        auto cursor = table.Search(nullptr, false);
        while (auto row = cursor->NextRow()) {
            const auto value = row->Value(field);
            listed[row->OID()] = value.isNull() ? "<Null>" : value.toText();
            // Another field of a row read this way comes from its feature.
            if (listed[row->OID()] == kLonely) {
                EXPECT_EQ(row->Value(number).toText(), std::to_string(kLonelyRow % 7));
            }
        }
        EXPECT_EQ(listed, byOgr);
        EXPECT_TRUE(table.source()->valueIndex("Parcels", "STNAME"));
    }
}

TEST(ValueIndexBuilder, KeepsEachTextsRowsApartExactlyAndInIdOrder)
{
    ValueIndexBuilder builder;
    builder.add(5, "Oak");
    builder.add(2, "OAK");
    builder.add(3, nullptr);
    builder.add(1, "Oak");
    builder.add(4, "");
    auto index = builder.finish();
    ASSERT_TRUE(index);
    EXPECT_EQ(std::vector<std::uint32_t>(index->idsOf("Oak").begin(), index->idsOf("Oak").end()),
              (std::vector<std::uint32_t>{1, 5}));
    EXPECT_EQ(index->idsOf("OAK").size(), 1u);
    EXPECT_EQ(index->idsOf("").size(), 1u);
    EXPECT_TRUE(index->idsOf("oak").empty());
    EXPECT_EQ(index->distinctValues(), 3u);

    ValueIndexBuilder tooLarge;
    tooLarge.add(1, "Oak");
    tooLarge.add(std::int64_t{1} << 33, "Oak");
    EXPECT_FALSE(tooLarge.finish());
}

// Rows read in ID order (the usual case) are grouped within their own array.
TEST(ValueIndexBuilder, GroupsRowsWithConsecutiveIdsAsTheyWereRead)
{
    const std::vector<const char*> texts = {"Elm", "Oak", nullptr, "Elm", "Ash", "Oak", "Oak", nullptr, "Pine", "Elm"};
    ValueIndexBuilder builder;
    std::map<std::string, std::vector<std::uint32_t>> expected;
    for (std::uint32_t row = 0; row < 3000; ++row) {
        // Runs of one street, streets repeated out of order, Nulls among them.
        const char* text = texts[(row / 7 + row % 3) % texts.size()];
        builder.add(100 + row, text);
        if (text != nullptr) expected[text].push_back(100 + row);
    }
    auto index = builder.finish();
    ASSERT_TRUE(index);
    EXPECT_EQ(index->distinctValues(), expected.size());
    for (const auto& [text, ids] : expected) {
        EXPECT_EQ(std::vector<std::uint32_t>(index->idsOf(text).begin(), index->idsOf(text).end()), ids) << text;
    }
}

} // namespace
} // namespace corvane::gdal
