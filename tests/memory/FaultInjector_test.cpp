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
