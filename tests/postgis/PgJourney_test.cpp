// The search journey of the toolbar command once more, with the demo town
// in a PostgreSQL database: the street list grouped by the server, the picks
// answered through its indexes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "CommandOnSource.h"
#include "PgCluster.h"
#include "PgTables.h"
#include "command/CorvaneAddressSearch.h"
#include "gdal/GdalHostClasses.h"
#include "gdal/GdalLayers.h"
#include "gdal/MapBuilder.h"
#include "gdal/Recorders.h"
#include "host/QueryFilter.h"
#include "shared/Public.h"

namespace corvane::gdal {
namespace {

using ::testing::IsEmpty;

class PgJourney : public CommandOnSource {
protected:
    PgJourney() : CommandOnSource(corvane::testing::townConnection()) {}

    Box zoomedTo(const std::string& clause)
    {
        auto filter = host::makeRef<host::QueryFilter>();
        filter->WhereClause(clause);
        auto parcels = corvane::testing::tableIn(*m_document->map(), "parcels");
        if (!parcels) return {};
        auto feature = parcels->searchFeatures(filter, false)->NextFeature();
        EXPECT_TRUE(feature);
        if (!feature) return {};
        GdalEnvelope envelope(boxOf(*feature->Shape()->Envelope()));
        envelope.Expand(1.2, 1.2, true);
        return envelope.box();
    }

};

TEST_F(PgJourney, SearchingTheTownInTheDatabaseZoomsToTheParcel)
{
    EXPECT_THAT(world.prompts(), IsEmpty());
    const auto& streets = dialog().List1.items();
    EXPECT_EQ(streets.size(), 40u);
    EXPECT_EQ(streets.front(), " ELM ST");
    EXPECT_EQ(std::count(streets.begin(), streets.end(), "Main St"), 1);
    EXPECT_EQ(std::count(streets.begin(), streets.end(), "MAIN ST"), 1);
    auto& progress = m_application->StatusBar().as<RecordingStatusBar>()->progressor();
    EXPECT_EQ(progress.message(), "Loading List: STNAME...");
    EXPECT_FALSE(progress.visible());

    dialog().userType("Text1", "o'n");
    dialog().userClick("Command4");
    EXPECT_EQ(dialog().List1.Text(), "O'NEIL RD");
    ASSERT_FALSE(dialog().List2.items().empty());
    EXPECT_LT(indexOf(dialog().List2, "10"), indexOf(dialog().List2, "2"));

    const int refreshes = m_document->map()->refreshCount();
    dialog().userSelect("List2", indexOf(dialog().List2, "9"));
    EXPECT_EQ(m_document->map()->extentBox(), zoomedTo("STNAME = 'O''NEIL RD' AND ADDNUM = 9"));
    EXPECT_EQ(m_document->map()->refreshCount(), refreshes + 1);
    EXPECT_THAT(world.prompts(), IsEmpty());
    EXPECT_EQ(world.unhandledErrors(), 0);
}

TEST_F(PgJourney, NamesThatDifferInCaseAreTwoStreetsOnTheServerToo)
{
    dialog().userSelect("List1", indexOf(dialog().List1, "Main St"));
    const auto mainSt = dialog().List2.items();
    EXPECT_EQ(std::count(mainSt.begin(), mainSt.end(), "4"), 1);
    dialog().userSelect("List1", indexOf(dialog().List1, "MAIN ST"));
    EXPECT_NE(dialog().List2.items(), mainSt);

    dialog().userSelect("List1", indexOf(dialog().List1, "Main St"));
    dialog().userSelect("List2", indexOf(dialog().List2, "4"));
    EXPECT_EQ(m_document->map()->extentBox(), zoomedTo("STNAME = 'Main St' AND ADDNUM = 4"));

    dialog().userSelect("List1", indexOf(dialog().List1, "PRIVATE DR"));
    EXPECT_THAT(dialog().List2.items(), IsEmpty());
    EXPECT_THAT(world.prompts(), IsEmpty());
}

} // namespace
} // namespace corvane::gdal
