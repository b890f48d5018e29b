// The search journey of the toolbar command, rerun on the demo town that
// the build generates, through the GDAL host instead of the memory host.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "CommandOnSource.h"
#include "TownFiles.h"
#include "command/CorvaneAddressSearch.h"
#include "gdal/GdalHostClasses.h"
#include "gdal/MapBuilder.h"
#include "gdal/Recorders.h"
#include "host/QueryFilter.h"
#include "shared/Public.h"

namespace corvane::gdal {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class GdalJourney : public CommandOnSource {
protected:
    GdalJourney() : CommandOnSource(CORVANE_DEMO_TOWN) {}

    // The first parcel of the street and number, found through the adapter alone.
    Box parcelBox(const std::string& clause)
    {
        auto parcels = testing::featureLayer(*m_document->map(), "Parcels");
        auto filter = host::makeRef<host::QueryFilter>();
        filter->WhereClause(clause);
        auto feature = parcels->Search(filter, false)->NextFeature();
        EXPECT_TRUE(feature);
        return feature ? boxOf(*feature->Shape()->Envelope()) : Box{};
    }

    static Box enlarged(const Box& box, double scale)
    {
        GdalEnvelope envelope(box);
        envelope.Expand(scale, scale, true);
        return envelope.box();
    }

};

TEST_F(GdalJourney, SearchingTheDemoTownZoomsToTheParcel)
{
    EXPECT_THAT(world.prompts(), IsEmpty());
    const auto& streets = dialog().List1.items();
    EXPECT_EQ(streets.size(), 40u);
    EXPECT_EQ(streets.front(), " ELM ST");  // the leading blank sorts first
    EXPECT_EQ(std::count(streets.begin(), streets.end(), "Main St"), 1);
    EXPECT_EQ(std::count(streets.begin(), streets.end(), "MAIN ST"), 1);
    auto& progress = m_application->StatusBar().as<RecordingStatusBar>()->progressor();
    EXPECT_EQ(progress.message(), "Loading List: STNAME...");
    EXPECT_FALSE(progress.visible());

    dialog().userType("Text1", "o'n");
    dialog().userClick("Command4");
    EXPECT_EQ(dialog().List1.Text(), "O'NEIL RD");
    const auto& numbers = dialog().List2.items();
    ASSERT_FALSE(numbers.empty());
    // Text order: 10 before 2 before 9.
    EXPECT_LT(indexOf(dialog().List2, "10"), indexOf(dialog().List2, "2"));
    EXPECT_LT(indexOf(dialog().List2, "2"), indexOf(dialog().List2, "9"));

    const int refreshes = m_document->map()->refreshCount();
    dialog().userSelect("List2", indexOf(dialog().List2, "9"));
    EXPECT_EQ(m_document->map()->extentBox(), enlarged(parcelBox("STNAME = 'O''NEIL RD' AND ADDNUM = 9"), 1.2));
    EXPECT_EQ(m_document->map()->refreshCount(), refreshes + 1);
    EXPECT_THAT(world.prompts(), IsEmpty());
    EXPECT_EQ(world.unhandledErrors(), 0);
}

TEST_F(GdalJourney, NamesThatDifferInCaseAreTwoStreetsAndDuplicatesZoomToTheFirst)
{
    dialog().userSelect("List1", indexOf(dialog().List1, "Main St"));
    EXPECT_EQ(std::count(dialog().List2.items().begin(), dialog().List2.items().end(), "4"), 1);
    const auto mainSt = dialog().List2.items();
    dialog().userSelect("List1", indexOf(dialog().List1, "MAIN ST"));
    // Matched ignoring case, both streets would list the same numbers.
    EXPECT_NE(dialog().List2.items(), mainSt);

    // Main St has two parcels numbered 4: the first one is shown.
    dialog().userSelect("List1", indexOf(dialog().List1, "Main St"));
    dialog().userSelect("List2", indexOf(dialog().List2, "4"));
    EXPECT_EQ(m_document->map()->extentBox(), enlarged(parcelBox("STNAME = 'Main St' AND ADDNUM = 4"), 1.2));
    EXPECT_THAT(world.prompts(), IsEmpty());
}

TEST_F(GdalJourney, AStreetWithoutNumbersListsNothingAndTheLayoutViewZoomsItsMap)
{
    dialog().userSelect("List1", indexOf(dialog().List1, "PRIVATE DR"));
    EXPECT_THAT(dialog().List2.items(), IsEmpty());

    m_document->showLayout(true);
    dialog().userSelect("List1", indexOf(dialog().List1, " ELM ST"));
    dialog().userSelect("List2", indexOf(dialog().List2, "3"));
    EXPECT_EQ(m_document->map()->extentBox(), enlarged(parcelBox("STNAME = ' ELM ST' AND ADDNUM = 3"), 1.2));
    EXPECT_EQ(m_document->pageLayout()->pageBox(), (Box{0, 0, 8.5, 11}));
    EXPECT_THAT(world.prompts(), IsEmpty());
}

} // namespace
} // namespace corvane::gdal
