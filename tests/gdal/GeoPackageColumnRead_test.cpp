// The street list's read of a GeoPackage without an index on the street:
// SQLite walks the table on a reader thread while the caller takes the rows.
// These cases cross the reader's batches, stop it midway and break the file
// under it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "TownFiles.h"
#include "gdal/LayerTable.h"
#include "host/HostError.h"

namespace corvane::gdal {
namespace {

// Many times the reader's batches and its buffers; texts long enough that
// the table spans many pages.
constexpr int kRows = 20000;

std::string streetOf(int row)
{
    if (row % 97 == 5) return "<Null>";
    return "Street " + std::to_string(row) + std::string(static_cast<std::size_t>(row % 60), '.');
}

std::string writeStreets(const std::string& name)
{
    const std::string path = testing::scratchPath(name);
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
    GDALDatasetUniquePtr dataset(driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    CPLStringList options;
    options.SetNameValue("SPATIAL_INDEX", "NO");
    OGRLayer* layer = dataset->CreateLayer("Parcels", nullptr, wkbPoint, options.List());
    OGRFieldDefn street("STNAME", OFTString);
    EXPECT_EQ(layer->CreateField(&street), OGRERR_NONE);
    EXPECT_EQ(layer->StartTransaction(), OGRERR_NONE);
    for (int row = 0; row < kRows; ++row) {
        OGRFeature feature(layer->GetLayerDefn());
        const std::string text = streetOf(row);
        if (text == "<Null>") feature.SetFieldNull(0);
        else feature.SetField(0, text.c_str());
        OGRPoint point(row, row);
        feature.SetGeometry(&point);
        EXPECT_EQ(layer->CreateFeature(&feature), OGRERR_NONE);
    }
    EXPECT_EQ(layer->CommitTransaction(), OGRERR_NONE);
    return path;
}

struct Listed {
    std::vector<std::string> streets;
    std::string error;
};

// What the street list reads: each row's street, up to `limit` rows.
Listed readStreets(LayerTable& table, int limit = kRows)
{
    Listed listed;
    const std::int32_t field = table.FindField("STNAME");
    try {
        auto cursor = table.Search(nullptr, false);
        while (static_cast<int>(listed.streets.size()) < limit) {
            auto row = cursor->NextRow();
            if (!row) break;
            const auto value = row->Value(field);
            listed.streets.push_back(value.isNull() ? "<Null>" : value.toText());
        }
    } catch (const host::HostError& error) {
        listed.error = error.description();
    }
    return listed;
}

std::vector<std::string> expectedStreets(int rows = kRows)
{
    std::vector<std::string> streets;
    for (int row = 0; row < rows; ++row) streets.push_back(streetOf(row));
    return streets;
}

TEST(GeoPackageColumnRead, GivesEveryRowOnceInOrderAndStopsCleanlyWhenDroppedMidway)
{
    auto layer = testing::parcelsOf(writeStreets("column-read.gpkg"));
    LayerTable& table = layer->table();

    // Dropped at several depths: in OGR's first batch, in the reader's
    // first, and after its buffers had filled while nobody took them.
    for (const int limit : {10, 100, 3000, 9000}) {
        SCOPED_TRACE(limit);
        const Listed part = readStreets(table, limit);
        EXPECT_EQ(part.error, "");
        EXPECT_EQ(part.streets, expectedStreets(limit));
    }
    const Listed whole = readStreets(table);
    EXPECT_EQ(whole.error, "");
    EXPECT_EQ(whole.streets, expectedStreets());
    // Two reads at once, each with its own connection and reader.
    auto first = table.Search(nullptr, false);
    auto second = table.Search(nullptr, false);
    const std::int32_t field = table.FindField("STNAME");
    for (int row = 0; row < 5000; ++row) {
        auto a = first->NextRow();
        auto b = second->NextRow();
        ASSERT_TRUE(a && b);
        ASSERT_EQ(a->Value(field).isNull() ? "<Null>" : a->Value(field).toText(), streetOf(row));
        ASSERT_EQ(b->OID(), a->OID());
    }
}

TEST(GeoPackageColumnRead, APageThatCannotBeReadIsAHostErrorAfterTheRowsBeforeIt)
{
    const std::string path = writeStreets("column-read-damaged.gpkg");
    const auto size = std::filesystem::file_size(path);
    {
        // A page well inside the table, zeroed: SQLite finds it corrupt.
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(size * 6 / 10 / 4096 * 4096));
        const std::string zeros(4096, '\0');
        file.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
    }
    auto layer = testing::parcelsOf(path);
    const Listed listed = readStreets(layer->table());
    EXPECT_NE(listed.error.find("Cannot read Parcels: "), std::string::npos) << listed.error;
    EXPECT_GT(listed.streets.size(), 1000U);
    EXPECT_LT(listed.streets.size(), static_cast<std::size_t>(kRows));
    const auto expected = expectedStreets(static_cast<int>(listed.streets.size()));
    EXPECT_EQ(listed.streets, expected);
}

} // namespace
} // namespace corvane::gdal
