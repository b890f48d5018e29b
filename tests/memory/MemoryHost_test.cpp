#include "memory/MemoryHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/HostClasses.h"
#include "memory/MemoryGeometry.h"
#include "memory/MemoryTown.h"

namespace corvane::memory {
namespace {

using host::HostError;
using host::Ref;
using ::testing::ElementsAre;

class MemoryHostTest : public ::testing::Test {
protected:
    Ref<host::IMxDocument> document() { return host.application()->Document().as<host::IMxDocument>(); }

    MemoryHost host;
    MemoryTown town{host};
};

TEST_F(MemoryHostTest, DataViewIsTheFocusMapItself)
{
    auto view = document()->ActiveView();
    EXPECT_FALSE(view.is<host::IPageLayout>());
    view->Extent(host::makeRef<MemoryEnvelope>(host.context(), envelope(1, 2, 3, 4)));
    view->Refresh();
    EXPECT_EQ(host.map().extent(), envelope(1, 2, 3, 4));
    EXPECT_EQ(host.map().refreshCount(), 1);
    EXPECT_THAT(host.journal().lines(), ElementsAre("Map Layers Extent= 1,2,3,4", "Map Layers Refresh"));
}

TEST_F(MemoryHostTest, LayoutViewKeepsThePageAndReachesTheMapFrame)
{
    host.document().showLayout();
    auto layout = document()->ActiveView();
    ASSERT_TRUE(layout.is<host::IPageLayout>());
    auto frame = document()->ActiveView()->FocusMap().as<host::IActiveView>();
    EXPECT_FALSE(frame.is<host::IPageLayout>());
    frame->Extent(host::makeRef<MemoryEnvelope>(host.context(), envelope(5, 6, 7, 8)));
    frame->Refresh();
    EXPECT_EQ(host.map().extent(), envelope(5, 6, 7, 8));
    EXPECT_EQ(host.document().pageLayout().extent(), envelope(0, 0, 8.5, 11));
    EXPECT_EQ(host.document().pageLayout().refreshCount(), 0);

    layout->Refresh();
    EXPECT_EQ(host.journal().views().back().view, "PageLayout");
}

TEST_F(MemoryHostTest, SettingAnEmptyExtentRaises)
{
    EXPECT_THROW(document()->ActiveView()->Extent(nullptr), HostError);
    EXPECT_TRUE(host.journal().views().empty());
}

TEST_F(MemoryHostTest, ExtentReadIsACopy)
{
    auto extent = document()->ActiveView()->Extent();
    extent->Expand(2, 2, true);
    EXPECT_EQ(host.map().extent(), envelope(0, 0, 1000, 1000));
}

TEST_F(MemoryHostTest, TownLayersNestAsDescribed)
{
    auto map = document()->FocusMap();
    ASSERT_EQ(map->LayerCount(), 3);
    EXPECT_TRUE(map->Layer(0).is<host::IFeatureLayer>());
    auto group = map->Layer(1);
    ASSERT_TRUE(group.is<host::IGroupLayer>());
    auto composite = group.as<host::ICompositeLayer>();
    ASSERT_EQ(composite->Count(), 3);
    EXPECT_EQ(composite->Layer(0)->Name(), "Buildings");
    EXPECT_TRUE(composite->Layer(1).is<host::IGroupLayer>());
    EXPECT_EQ(composite->Layer(1).as<host::ICompositeLayer>()->Layer(0)->Name(), "Hydrants");
    EXPECT_FALSE(composite->Layer(2).is<host::IFeatureLayer>());
    EXPECT_FALSE(map->Layer(2).is<host::IFeatureLayer>());
    EXPECT_FALSE(map->Layer(2).is<host::IGroupLayer>());
    EXPECT_THROW((void)map->Layer(3), HostError);
}

TEST_F(MemoryHostTest, EmptyDisplayTableAndFeatureClass)
{
    town.parcels.setDisplayTableEmpty();
    town.parcels.setFeatureClassEmpty();
    EXPECT_TRUE(town.parcels.DisplayTable().isNothing());
    EXPECT_TRUE(town.parcels.FeatureClass().isNothing());
    EXPECT_THROW((void)town.parcels.Search(nullptr, true), HostError);
}

TEST_F(MemoryHostTest, AnotherDocumentReplacesTheFocusMap)
{
    MemoryDocument& second = host.openDocument();
    second.map().addFeatureLayer("Roads", {});
    auto map = document()->FocusMap();
    ASSERT_EQ(map->LayerCount(), 1);
    EXPECT_EQ(map->Layer(0)->Name(), "Roads");

    second.setFocusMap(nullptr);
    EXPECT_TRUE(document()->FocusMap().isNothing());
    EXPECT_TRUE(document()->ActiveView().isNothing());
    host.closeDocument();
    EXPECT_TRUE(host.application()->Document().isNothing());
}

TEST_F(MemoryHostTest, ProgressCollapsesConsecutiveSteps)
{
    auto progress = host.application()->StatusBar()->ProgressBar();
    progress->Message("Loading List: STNAME...");
    progress->StepValue(1);
    progress->Position(0);
    progress->MaxRange(3);
    progress->Show();
    for (int i = 0; i < 1000; ++i) progress->Step();
    progress->Hide();
    progress->Step();
    EXPECT_THAT(host.progress().callLines(),
                ElementsAre("Message Loading List: STNAME...", "StepValue 1", "Position 0", "MaxRange 3", "Show",
                            "Step x1000", "Hide", "Step x1"));
    EXPECT_FALSE(host.progress().visible());
    EXPECT_EQ(host.progress().position(), 1001);
}

TEST_F(MemoryHostTest, FramesAreCreatedByNameAndRecordTheirCalls)
{
    auto frame = host::createHostObject<host::IModelessFrame>(host::kModelessFrameClass);
    frame->Create(42);
    frame->Caption("Address Search");
    frame.as<host::IWindowPosition>()->Move(10, 20, 300, 200);
    frame.as<host::IWindowPosition>()->Move(15, 25, 0, 0);
    frame->Visible(true);
    ASSERT_EQ(host.frames().size(), 1u);
    const MemoryModelessFrame& made = *host.frames()[0];
    EXPECT_THAT(made.calls(), ElementsAre("Create 42", "Caption Address Search", "Move 10,20,300,200", "Move 15,25,0,0",
                                          "Visible True"));
    EXPECT_TRUE(made.visible());
    EXPECT_EQ(made.left(), 15);
    EXPECT_EQ(made.width(), 300);
    EXPECT_EQ(made.height(), 200);
    EXPECT_EQ(frame->Caption(), "Address Search");
    EXPECT_EQ(made.window(), 42);
    EXPECT_EQ(host.journal().frames().size(), 5u);

    EXPECT_TRUE(host::createHostObject<host::IApplication>(host::kAppRefClass) == host.application());
    try {
        (void)host::hostClasses().create("esriFramework.Nothing");
        FAIL() << "an unknown class was created";
    } catch (const HostError& error) {
        EXPECT_EQ(error.number(), host::errors::kCannotCreateObject);
    }
}

TEST(MemoryHostLifetime, WithdrawsItsClassesAndLeavesObjectsUsable)
{
    Ref<host::IApplication> app;
    {
        MemoryHost host;
        app = host.application();
    }
    EXPECT_THROW((void)host::hostClasses(), HostError);
    EXPECT_FALSE(app->Document().isNothing());
}

} // namespace
} // namespace corvane::memory
