#include "memory/FaultInjector.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/HostClasses.h"
#include "memory/MemoryTown.h"

namespace corvane::memory {
namespace {

using host::HostError;
using host::Ref;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A short journey over the town: count the layers and read each top-level name.
std::vector<std::string> layerNames(MemoryHost& host)
{
    auto document = host.application()->Document().as<host::IMxDocument>();
    std::vector<std::string> names;
    const std::int32_t count = document->FocusMap()->LayerCount();
    for (std::int32_t i = 0; i < count; ++i) names.push_back(document->FocusMap()->Layer(i)->Name());
    return names;
}

class FaultInjectorTest : public ::testing::Test {
protected:
    MemoryHost host;
    MemoryTown town{host};
};

TEST_F(FaultInjectorTest, CountsEveryHostCallOfAJourney)
{
    host.faults().resetCount();
    EXPECT_THAT(layerNames(host), ElementsAre("Parcels", "Town", "Orthophoto"));
    // Document, FocusMap, LayerCount, then FocusMap, Layer and Name per layer.
    EXPECT_EQ(host.faults().callCount(), 3u + 3u * 3u);
}

TEST_F(FaultInjectorTest, SweepFailsEachCallOnceAndOnlyOnce)
{
    host.faults().resetCount();
    const auto expected = layerNames(host);
    const std::uint64_t calls = host.faults().callCount();
    for (std::uint64_t k = 1; k <= calls; ++k) {
        host.faults().failCall(k);
        EXPECT_THROW((void)layerNames(host), HostError) << "call " << k;
        // The rule is spent: the same journey now runs through.
        EXPECT_EQ(layerNames(host), expected) << "call " << k;
    }
    EXPECT_EQ(host.faults().failedCalls().size(), calls);
    EXPECT_EQ(host.faults().failedCalls()[2], "IMap.LayerCount");
}

TEST_F(FaultInjectorTest, KthCallCountsFromArming)
{
    auto map = host.document().FocusMap();
    (void)map->LayerCount();
    host.faults().failCall(2, -5, "second call fails");
    EXPECT_NO_THROW((void)map->LayerCount());
    try {
        (void)map->LayerCount();
        FAIL() << "the second call after arming did not fail";
    } catch (const HostError& error) {
        EXPECT_EQ(error.number(), -5);
        EXPECT_EQ(error.description(), "second call fails");
    }
    EXPECT_NO_THROW((void)map->LayerCount());
}

TEST_F(FaultInjectorTest, NamedCallFailsFirstOrEveryOccurrence)
{
    auto map = host.document().FocusMap();
    host.faults().failCalls("IMap.LayerCount");
    EXPECT_NO_THROW((void)map->Layer(0));
    try {
        (void)map->LayerCount();
        FAIL() << "IMap.LayerCount did not fail";
    } catch (const HostError& error) {
        EXPECT_EQ(error.number(), host::errors::kHostCallFailed);
        EXPECT_THAT(error.description(), HasSubstr("IMap.LayerCount"));
    }
    EXPECT_NO_THROW((void)map->LayerCount());

    host.faults().failCalls("ILayer.Name", Occurrence::Every, 91, "gone");
    EXPECT_THROW((void)map->Layer(0)->Name(), HostError);
    EXPECT_THROW((void)map->Layer(1)->Name(), HostError);
    host.faults().disarm();
    EXPECT_EQ(map->Layer(1)->Name(), "Town");
}

TEST_F(FaultInjectorTest, ObjectCreationCanFailByClass)
{
    host.faults().failCalls("HostClasses.create:esriGeoDatabase.QueryFilter", Occurrence::Every);
    EXPECT_NO_THROW((void)host::createHostObject<host::IApplication>(host::kAppRefClass));
    EXPECT_THROW((void)host::createHostObject<host::IQueryFilter>(host::kQueryFilterClass), HostError);

    host.faults().disarm();
    host.faults().failCalls("HostClasses.create");
    EXPECT_THROW((void)host::createHostObject<host::IApplication>(host::kAppRefClass), HostError);
}

TEST_F(FaultInjectorTest, ResetCountKeepsAnArmedCallAtItsDistance)
{
    auto map = host.document().FocusMap();
    host.faults().failCall(3);
    (void)map->LayerCount();
    host.faults().resetCount();
    EXPECT_NO_THROW((void)map->LayerCount());
    EXPECT_THROW((void)map->LayerCount(), HostError);
}

} // namespace
} // namespace corvane::memory

namespace corvane::memory {
namespace {

// Opens a cursor, reads a value, zooms to the feature and shows progress:
// one call of nearly every member the system uses.
void zoomJourney()
{
    auto app = host::createHostObject<host::IApplication>(host::kAppRefClass);
    auto document = app->Document().as<host::IMxDocument>();
    auto layer = document->FocusMap()->Layer(0).as<host::IFeatureLayer>();
    auto table = layer.as<host::IDisplayTable>()->DisplayTable();
    auto filter = host::createHostObject<host::IQueryFilter>(host::kQueryFilterClass);
    filter->WhereClause("STNAME = 'OAK AVE'");
    auto cursor = table->Search(filter, true);
    const std::int32_t field = cursor->FindField("ADDNUM");
    (void)cursor->NextRow()->Value(field);
    (void)table->Fields()->Field(0)->Type();
    (void)layer->FeatureClass()->FeatureCount(nullptr);
    auto feature = layer->Search(filter, true)->NextFeature();
    auto extent = feature->Shape()->Envelope();
    extent->Expand(1.2, 1.2, true);
    auto view = document->ActiveView();
    view->Extent(extent);
    view->Refresh();
    auto progress = app->StatusBar()->ProgressBar();
    progress->Step();
    auto frame = host::createHostObject<host::IModelessFrame>(host::kModelessFrameClass);
    frame.as<host::IWindowPosition>()->Move(1, 2, 3, 4);
}

TEST(FaultSweepTest, EveryMemberOfAJourneyCanBeMadeToFail)
{
    std::uint64_t calls = 0;
    {
        MemoryHost host;
        MemoryTown town(host);
        host.faults().resetCount();
        zoomJourney();
        calls = host.faults().callCount();
    }
    std::vector<std::string> failed;
    for (std::uint64_t k = 1; k <= calls; ++k) {
        MemoryHost host;
        MemoryTown town(host);
        host.faults().resetCount();
        host.faults().failCall(k);
        try {
            zoomJourney();
            ADD_FAILURE() << "call " << k << " did not fail";
        } catch (const HostError& error) {
            EXPECT_LT(error.number(), 0);
        }
        ASSERT_EQ(host.faults().failedCalls().size(), 1u);
        failed.push_back(host.faults().failedCalls()[0]);
        // A failed extent set leaves the view as it was.
        if (failed.back() == "IActiveView.Extent=") {
            EXPECT_EQ(host.map().extent(), envelope(0, 0, 1000, 1000));
        }
    }
    EXPECT_THAT(failed,
                ElementsAre("HostClasses.create", "IApplication.Document", "IMxDocument.FocusMap", "IMap.Layer",
                            "IDisplayTable.DisplayTable", "HostClasses.create", "IQueryFilter.WhereClause=",
                            "ITable.Search", "ICursor.FindField", "ICursor.NextRow", "IRow.Value", "ITable.Fields",
                            "IFields.Field", "IField.Type", "IFeatureLayer.FeatureClass",
                            "IFeatureClass.FeatureCount", "IFeatureLayer.Search", "IFeatureCursor.NextFeature",
                            "IFeature.Shape", "IGeometry.Envelope", "IEnvelope.Expand", "IMxDocument.ActiveView",
                            "IActiveView.Extent=", "IActiveView.Refresh", "IApplication.StatusBar",
                            "IStatusBar.ProgressBar", "IStepProgressor.Step", "HostClasses.create",
                            "IWindowPosition.Move"));
}

} // namespace
} // namespace corvane::memory
