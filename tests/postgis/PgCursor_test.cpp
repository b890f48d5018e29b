// Cursors over PostgreSQL tables: the clause dialect as the server reads it,
// awkward text that must stay text, and the grouped whole-table read.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "PgCluster.h"
#include "PgTables.h"
#include "gdal/MapBuilder.h"
#include "host/HostError.h"
#include "host/QueryFilter.h"

namespace corvane::gdal {
namespace {

using corvane::testing::oddConnection;
using corvane::testing::oddNames;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

host::Ref<host::IQueryFilter> where(const std::string& clause)
{
    auto filter = host::makeRef<host::QueryFilter>();
    filter->WhereClause(clause);
    return filter;
}

// The host dialect's literal, as the search dialog writes it.
std::string quoted(const std::string& text)
{
    std::string literal = "'";
    for (const char c : text) literal += c == '\'' ? std::string("''") : std::string(1, c);
    return literal + "'";
}

std::vector<std::int32_t> idsOf(LayerTable& table, const std::string& clause)
{
    std::vector<std::int32_t> ids;
    auto cursor = table.Search(where(clause), true);
    for (auto row = cursor->NextRow(); row; row = cursor->NextRow()) ids.push_back(row->OID());
    return ids;
}

class PgCursor : public ::testing::Test {
protected:
    std::shared_ptr<GdalMap> map = openMap({oddConnection()});
    std::shared_ptr<LayerTable> odd = corvane::testing::tableIn(*map, "odd");
};

TEST_F(PgCursor, AwkwardNamesAreFoundExactlyAndStayText)
{
    ASSERT_TRUE(odd);
    int id = 1;
    for (const auto& name : oddNames()) {
        // Bare names of any case find the mixed-case columns.
        EXPECT_THAT(idsOf(*odd, "STNAME = " + quoted(name)), ElementsAre(id, id + 1)) << name;
        EXPECT_EQ(odd->RowCount(where("stname = " + quoted(name) + " AND Num = " + std::to_string(id + 1))), 1) << name;
        id += 2;
    }
    EXPECT_EQ(odd->RowCount(nullptr), static_cast<std::int32_t>(2 * oddNames().size()));
}

TEST_F(PgCursor, TextCompareExactlyAndDatesCompareAsDates)
{
    EXPECT_THAT(idsOf(*odd, "StName = 'Main St'"), ElementsAre(11, 12));
    EXPECT_THAT(idsOf(*odd, "StName = 'main st'"), ElementsAre());
    EXPECT_THAT(idsOf(*odd, "StName = 'MAIN ST' AND Sold = #1/2/2003#"), ElementsAre(14));
    EXPECT_THAT(idsOf(*odd, "Id in (14,3, 3)"), ElementsAre(3, 14));
    EXPECT_EQ(odd->RowCount(where("Id in (1,2,99)")), 2);
}

TEST_F(PgCursor, AClauseTheServerRejectsRaisesItsMessageNamingTheSource)
{
    try {
        (void)odd->Search(where("Nosuch = 1"), true);
        FAIL() << "an unknown column gave rows";
    } catch (const host::HostError& error) {
        EXPECT_THAT(error.description(), HasSubstr("does not exist"));
        EXPECT_THAT(error.description(), HasSubstr("dbname=odd"));
    }
    EXPECT_THROW((void)odd->Search(where("Num = 1; DROP TABLE odd"), true), host::HostError);
    EXPECT_THROW((void)odd->RowCount(where("Num = 1 -- x")), host::HostError);
    EXPECT_EQ(odd->RowCount(nullptr), static_cast<std::int32_t>(2 * oddNames().size()));
}

TEST_F(PgCursor, AWholeTableReadOfOneColumnGivesEveryRowItsOwnValueAndId)
{
    // Enough rows that the read goes past its first batch into the server's groups.
    corvane::testing::PgCluster::shared().sql(
        "odd", "CREATE TABLE IF NOT EXISTS many AS SELECT g AS id, 'street ' || (g % 97) AS name, "
               "ST_SetSRID(ST_MakePoint(g, g), 4326)::geometry(Point, 4326) AS geom FROM generate_series(1, 3000) g;"
               "ALTER TABLE many ADD PRIMARY KEY (id); UPDATE many SET name = NULL WHERE id % 500 = 0");
    auto fresh = openMap({oddConnection()});
    auto many = corvane::testing::tableIn(*fresh, "many");
    ASSERT_TRUE(many);
    const std::int32_t field = many->FindField("NAME");
    std::map<std::int32_t, std::string> seen;
    auto cursor = many->Search(nullptr, true);
    for (auto row = cursor->NextRow(); row; row = cursor->NextRow()) {
        const host::Variant value = row->Value(field);
        seen[row->OID()] = value.isNull() ? "<null>" : value.toText();
    }
    ASSERT_EQ(seen.size(), 3000u);
    for (const auto& [id, name] : seen) {
        EXPECT_EQ(name, id % 500 == 0 ? "<null>" : "street " + std::to_string(id % 97)) << id;
    }
}

} // namespace
} // namespace corvane::gdal
