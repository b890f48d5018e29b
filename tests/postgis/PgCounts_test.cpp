// Whole-table counts and extents on the server, kept between calls, and the
// reads that start with one row or fetch a list of IDs in few queries: each
// must still see every committed change and every row exactly once.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "PgCluster.h"
#include "PgTables.h"
#include "gdal/MapBuilder.h"
#include "host/QueryFilter.h"

namespace corvane::gdal {
namespace {

using corvane::testing::oddConnection;
using corvane::testing::PgCluster;

host::Ref<host::IQueryFilter> where(const std::string& clause)
{
    auto filter = host::makeRef<host::QueryFilter>();
    filter->WhereClause(clause);
    return filter;
}

// Table `name` in database "odd": rows 1..rows with point (id, 2 * id) and
// the text "street <id % 7>".
void makeTable(const std::string& name, int rows)
{
    (void)oddConnection();  // the database exists
    PgCluster::shared().sql(
        "odd", "DROP TABLE IF EXISTS " + name + "; CREATE TABLE " + name +
                   " AS SELECT g AS id, 'street ' || (g % 7) AS name, g * 10 AS num, "
                   "ST_SetSRID(ST_MakePoint(g, 2 * g), 4326)::geometry(Point, 4326) AS geom "
                   "FROM generate_series(1, " + std::to_string(rows) + ") g; ALTER TABLE " + name +
                   " ADD PRIMARY KEY (id)");
}

std::shared_ptr<LayerTable> opened(std::shared_ptr<GdalMap>& map, const std::string& name)
{
    map = openMap({oddConnection()});
    return corvane::testing::tableIn(*map, name);
}

TEST(PgCounts, AKeptCountFollowsEveryCommittedChangeAndTheTableBehindTheName)
{
    makeTable("counted", 50);
    std::shared_ptr<GdalMap> map;
    auto counted = opened(map, "counted");
    ASSERT_TRUE(counted);
    // The extent is read with the count in one scan; the count is then kept.
    EXPECT_EQ(counted->fullExtent(), (Box{1, 2, 50, 100}));
    EXPECT_EQ(counted->FeatureCount(nullptr), 50);
    EXPECT_EQ(counted->FeatureCount(nullptr), 50);

    auto& server = PgCluster::shared();
    server.sql("odd", "INSERT INTO counted VALUES (51, 'x', 510, NULL), (52, 'y', 520, NULL), (53, NULL, 530, NULL)");
    EXPECT_EQ(counted->FeatureCount(nullptr), 53);
    server.sql("odd", "DELETE FROM counted WHERE id <= 10");
    EXPECT_EQ(counted->RowCount(nullptr), 43);
    server.sql("odd", "TRUNCATE counted");
    EXPECT_EQ(counted->FeatureCount(nullptr), 0);
    // Another table under the same name.
    server.sql("odd", "ALTER TABLE counted RENAME TO counted_before");
    makeTable("counted", 5);
    EXPECT_EQ(counted->FeatureCount(nullptr), 5);
    server.sql("odd", "DROP TABLE counted_before");
    // A filtered count is never the kept one.
    EXPECT_EQ(counted->FeatureCount(where("num > 20")), 3);
}

std::map<std::int32_t, std::string> namesById(LayerTable& table)
{
    std::map<std::int32_t, std::string> names;
    const std::int32_t field = table.FindField("NAME");
    auto cursor = table.Search(nullptr, true);
    for (auto row = cursor->NextRow(); row; row = cursor->NextRow()) {
        const host::Variant value = row->Value(field);
        names[row->OID()] = value.isNull() ? "<null>" : value.toText();
    }
    return names;
}

TEST(PgCounts, TheStreetsCountedWithTheRowsAreListedOnlyWhileNothingChanged)
{
    makeTable("kept", 300);
    std::shared_ptr<GdalMap> map;
    auto kept = opened(map, "kept");
    ASSERT_TRUE(kept);
    auto& server = PgCluster::shared();
    ASSERT_EQ(namesById(*kept).size(), 300u);  // the street list once: its column is known now

    server.sql("odd", "INSERT INTO kept VALUES (301, 'new street', 1, NULL)");
    EXPECT_EQ(kept->FeatureCount(nullptr), 301);  // counted by grouping the streets
    auto names = namesById(*kept);                 // the same groups
    EXPECT_EQ(names.size(), 301u);
    EXPECT_EQ(names[301], "new street");
    EXPECT_EQ(names[5], "street 5");

    server.sql("odd", "UPDATE kept SET name = 'changed' WHERE id = 5");
    EXPECT_EQ(namesById(*kept)[5], "changed");
    EXPECT_EQ(kept->FeatureCount(nullptr), 301);
    server.sql("odd", "DELETE FROM kept WHERE id = 1");  // after the count, before the list
    names = namesById(*kept);
    EXPECT_EQ(names.size(), 300u);
    EXPECT_EQ(names.count(1), 0u);

    // Without the street column the table still counts.
    server.sql("odd", "ALTER TABLE kept RENAME COLUMN name TO label");
    EXPECT_EQ(kept->FeatureCount(nullptr), 300);
}

std::multiset<std::int32_t> idsReading(LayerTable& table, const std::vector<std::string>& fields)
{
    std::multiset<std::int32_t> ids;
    auto cursor = table.Search(nullptr, true);
    for (auto row = cursor->NextRow(); row; row = cursor->NextRow()) {
        for (const auto& field : fields) (void)row->Value(table.FindField(field));
        ids.insert(row->OID());
    }
    return ids;
}

TEST(PgCounts, AWholeTableReadGivesEveryRowOnceWhateverItsCallerReads)
{
    makeTable("wide", 1200);
    makeTable("empty", 0);
    std::shared_ptr<GdalMap> map;
    auto wide = opened(map, "wide");
    auto empty = corvane::testing::tableIn(*map, "empty");
    ASSERT_TRUE(wide && empty);
    std::multiset<std::int32_t> all;
    for (std::int32_t id = 1; id <= 1200; ++id) all.insert(id);
    EXPECT_EQ(idsReading(*wide, {"NAME"}), all);         // grouped on the server
    EXPECT_EQ(idsReading(*wide, {"NUM"}), all);          // a number: read row by row
    EXPECT_EQ(idsReading(*wide, {"NAME", "NUM"}), all);  // two fields
    EXPECT_EQ(idsReading(*wide, {}), all);               // the IDs alone
    EXPECT_FALSE(empty->Search(nullptr, true)->NextRow());
}

TEST(PgCounts, LongIdListsComeBackInIdOrderEachOnceWithTheirOwnShapes)
{
    makeTable("listed", 3000);
    // Rows written again move to the end of the table, out of ID order.
    PgCluster::shared().sql("odd", "UPDATE listed SET num = num + 1 WHERE id % 3 = 0");
    std::shared_ptr<GdalMap> map;
    auto listed = opened(map, "listed");
    ASSERT_TRUE(listed);
    // More IDs than one query takes, repeated, unordered, and some missing.
    std::string clause = "ID in (";
    std::vector<std::int32_t> expected;
    for (std::int32_t id = 2999; id >= 1; id -= 2) clause += std::to_string(id) + ",";
    clause += "7, 9999, 3, -4)";
    for (std::int32_t id = 1; id <= 2999; id += 2) expected.push_back(id);
    std::vector<std::int32_t> ids;
    auto cursor = listed->searchFeatures(where(clause), false);
    for (auto feature = cursor->NextFeature(); feature; feature = cursor->NextFeature()) {
        ids.push_back(feature->OID());
        const auto box = feature->Shape()->Envelope();
        ASSERT_EQ(box->XMin(), feature->OID());
        ASSERT_EQ(box->YMin(), 2 * feature->OID());
    }
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(listed->RowCount(where(clause)), 1500);
}

} // namespace
} // namespace corvane::gdal
