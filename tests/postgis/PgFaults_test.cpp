// Faults of a database source while the search dialog is open: the server
// stopped between two clicks, connections dropped in the middle of a read,
// the table renamed, the rights taken away, a statement timing out. Each
// gives a report naming the source, nothing escapes, and the next click
// after the cause is gone works again.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "CommandOnSource.h"
#include "PgCluster.h"
#include "PgTables.h"
#include "command/CorvaneAddressSearch.h"
#include "gdal/GdalHostClasses.h"
#include "gdal/MapBuilder.h"
#include "host/HostError.h"
#include "shared/Public.h"

namespace corvane::gdal {
namespace {

using corvane::testing::PgCluster;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

class PgFaults : public CommandOnSource {
protected:
    PgFaults() : CommandOnSource(corvane::testing::townConnection()) {}

    void SetUp() override
    {
        CommandOnSource::SetUp();
        ASSERT_THAT(world.prompts(), IsEmpty());
        m_streets = dialog().List1.items();
    }

    void TearDown() override
    {
        if (!PgCluster::shared().running()) PgCluster::shared().start();
        CommandOnSource::TearDown();
    }

    void pick(const std::string& street)
    {
        const auto& items = dialog().List1.items();
        const auto found = std::find(items.begin(), items.end(), street);
        ASSERT_NE(found, items.end()) << street;
        dialog().userSelect("List1", static_cast<int>(found - items.begin()));
    }

    // The pick fails with one report naming the database; the street list stays.
    void expectReportedPick(const std::string& street, const std::string& cause)
    {
        world.toolkit.clearRecords();
        pick(street);
        const auto reports = world.prompts();
        ASSERT_THAT(reports, SizeIs(1));
        EXPECT_THAT(reports[0], HasSubstr("dbname=town"));
        EXPECT_THAT(reports[0], HasSubstr(cause));
        EXPECT_EQ(dialog().List1.items(), m_streets);
        EXPECT_EQ(world.unhandledErrors(), 0);
    }

    void expectWorkingPick(const std::string& street)
    {
        world.toolkit.clearRecords();
        pick(street);
        EXPECT_THAT(world.prompts(), IsEmpty());
        EXPECT_FALSE(dialog().List2.items().empty());
    }

    std::vector<std::string> m_streets;
};

TEST_F(PgFaults, AServerStoppedBetweenClicksIsReportedAndTheClickAfterItsReturnWorks)
{
    expectWorkingPick("O'NEIL RD");
    PgCluster::shared().stop();
    expectReportedPick("Main St", "Cannot");
    expectReportedPick("MAIN ST", "Cannot");  // and again, without harm
    PgCluster::shared().start();
    expectWorkingPick("Main St");
}

TEST_F(PgFaults, AServerRestartedBetweenClicksIsNotNoticed)
{
    expectWorkingPick("O'NEIL RD");
    PgCluster::shared().stop();
    PgCluster::shared().start();
    expectWorkingPick("Main St");
}

TEST_F(PgFaults, ATableRenamedWhileTheDialogIsOpenIsReportedUntilItIsBack)
{
    PgCluster::shared().sql("town", "ALTER TABLE parcels RENAME TO parcels_old");
    expectReportedPick("Main St", "parcels");
    PgCluster::shared().sql("town", "ALTER TABLE parcels_old RENAME TO parcels");
    expectWorkingPick("Main St");
}

TEST_F(PgFaults, AUserWithoutTheRightToReadIsToldSo)
{
    PgCluster& cluster = PgCluster::shared();
    cluster.sql("town", "DO $$BEGIN IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'visitor') THEN "
                        "CREATE ROLE visitor LOGIN; END IF; END$$; REVOKE ALL ON parcels FROM visitor");
    auto map = openMap({cluster.connection("town", "visitor")});
    auto parcels = corvane::testing::tableIn(*map, "parcels");
    ASSERT_TRUE(parcels);
    try {
        (void)parcels->RowCount(nullptr);
        FAIL() << "rows counted without the right to read them";
    } catch (const host::HostError& error) {
        EXPECT_THAT(error.description(), HasSubstr("permission denied"));
        EXPECT_THAT(error.description(), HasSubstr("user=visitor"));
    }
    cluster.sql("town", "GRANT SELECT ON parcels TO visitor");
    EXPECT_EQ(parcels->RowCount(nullptr), 3000);  // the demo town
    cluster.sql("town", "REVOKE ALL ON parcels FROM visitor");
}

TEST(PgFaultsOfReads, AStatementTimeoutIsReportedWithTheServersWords)
{
    PgCluster& cluster = PgCluster::shared();
    (void)corvane::testing::townConnection();
    cluster.sql("town", "DO $$BEGIN IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'hasty') THEN "
                        "CREATE ROLE hasty LOGIN; END IF; END$$; ALTER ROLE hasty SET statement_timeout = '200ms';"
                        "CREATE OR REPLACE VIEW slow_parcels AS SELECT * FROM parcels WHERE pg_sleep(0.05)::text = '';"
                        "GRANT SELECT ON parcels, slow_parcels TO hasty");
    auto map = openMap({cluster.connection("town", "hasty")});
    auto slow = corvane::testing::tableIn(*map, "slow_parcels");
    ASSERT_TRUE(slow);
    try {
        (void)slow->Search(nullptr, false);
        FAIL() << "a read that outlasts the timeout gave rows";
    } catch (const host::HostError& error) {
        EXPECT_THAT(error.description(), HasSubstr("statement timeout"));
        EXPECT_THAT(error.description(), HasSubstr("dbname=town"));
    }
    auto parcels = corvane::testing::tableIn(*map, "parcels");
    EXPECT_EQ(parcels->RowCount(nullptr), 3000);  // the demo town
}

TEST(PgFaultsOfReads, AConnectionDroppedInTheMiddleOfTheStreetListRaisesInsteadOfEndingEarly)
{
    PgCluster& cluster = PgCluster::shared();
    const std::string connection = corvane::testing::oddConnection();
    // More groups than one fetch of the grouped result holds.
    cluster.sql("odd", "CREATE TABLE IF NOT EXISTS twice AS SELECT g AS id, 'street ' || (g % 1500) AS name, "
                       "ST_SetSRID(ST_MakePoint(g, g), 4326)::geometry(Point, 4326) AS geom "
                       "FROM generate_series(1, 3000) g; ALTER TABLE twice DROP CONSTRAINT IF EXISTS twice_pkey;"
                       "ALTER TABLE twice ADD PRIMARY KEY (id)");
    auto map = openMap({connection});
    auto twice = corvane::testing::tableIn(*map, "twice");
    ASSERT_TRUE(twice);
    const std::int32_t field = twice->FindField("name");
    auto cursor = twice->Search(nullptr, false);
    int rows = 0;
    for (; rows < 100; ++rows) ASSERT_TRUE(cursor->NextRow()->Value(field).isText());
    cluster.dropConnections("odd");
    try {
        while (cursor->NextRow()) ++rows;
        FAIL() << "the list ended after " << rows << " rows";
    } catch (const host::HostError& error) {
        EXPECT_THAT(error.description(), HasSubstr("dbname=odd"));
    }
    // The next read connects again.
    int again = 0;
    auto next = twice->Search(nullptr, false);
    while (next->NextRow()) ++again;
    EXPECT_EQ(again, 3000);
}

} // namespace
} // namespace corvane::gdal
