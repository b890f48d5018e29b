// Picking a street, picking an address number, and "Configure".

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DialogWorld.h"
#include "config/frmConfig.h"
#include "search/frmMain.h"
#include "shared/Public.h"

namespace corvane::testing {
namespace {

using ::testing::ElementsAre;

class AddressPick : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.configure("Parcels", "STNAME", "ADDNUM");
        dialog = world.showSearchDialog();
        world.host.journal().clear();
    }

    int indexOf(const ui::ListBox& list, const std::string& text)
    {
        for (int i = 0; i < list.ListCount(); ++i)
            if (list.List(i) == text) return i;
        ADD_FAILURE() << text << " not listed";
        return 0;
    }

    DialogWorld world;
    std::shared_ptr<frmMain> dialog;
};

TEST_F(AddressPick, AStreetWithAQuoteIsQueriedWithTheQuoteDoubled)
{
    dialog->userSelect("List1", indexOf(dialog->List1, "O'NEIL RD"));
    ASSERT_FALSE(world.host.journal().searches().empty());
    EXPECT_EQ(world.host.journal().searches()[0].whereClause, "STNAME = 'O''NEIL RD'");
    EXPECT_THAT(dialog->List2.items(), ElementsAre("4"));
    EXPECT_EQ(dialog->List1.Text(), "O'NEIL RD");
    EXPECT_EQ(world.toolkit.mousePointer(), ui::MousePointer::Default);
}

TEST_F(AddressPick, ANumberZoomsToItsParcelEnlargedByATenthOnEachSide)
{
    dialog->userSelect("List1", indexOf(dialog->List1, "OAK AVE"));
    EXPECT_THAT(dialog->List2.items(), ElementsAre("12"));
    dialog->userSelect("List2", 0);
    const memory::Box expected = enlarged(memory::envelope(950, 1975, 1050, 2025), 1.2);
    const memory::Box& extent = world.host.map().extent();
    EXPECT_DOUBLE_EQ(extent.xmin, expected.xmin);
    EXPECT_DOUBLE_EQ(extent.ymin, expected.ymin);
    EXPECT_DOUBLE_EQ(extent.xmax, expected.xmax);
    EXPECT_DOUBLE_EQ(extent.ymax, expected.ymax);
    EXPECT_EQ(world.host.map().refreshCount(), 1);
    bool queried = false;
    for (const auto& search : world.host.journal().searches())
        queried = queried || search.whereClause == "STNAME = 'OAK AVE' AND ADDNUM = 12";
    EXPECT_TRUE(queried);
    EXPECT_EQ(world.toolkit.mousePointer(), ui::MousePointer::Default);
    EXPECT_TRUE(world.prompts().empty());
}

TEST_F(AddressPick, ANumberWithoutAFeatureLeavesTheViewAsItWas)
{
    dialog->userSelect("List1", indexOf(dialog->List1, "MAIN ST"));
    dialog->List2.AddItem("99");
    const memory::Box before = world.host.map().extent();
    dialog->userSelect("List2", indexOf(dialog->List2, "99"));
    EXPECT_EQ(world.host.map().extent(), before);
    EXPECT_EQ(world.host.map().refreshCount(), 0);
    EXPECT_TRUE(world.prompts().empty());
    EXPECT_EQ(world.toolkit.mousePointer(), ui::MousePointer::Default);
}

// A host call failing inside the layer look-up of a field type: the look-up's
// message is all the user sees, and no clause with a bare value is sent.
TEST_F(AddressPick, AFailedLayerLookUpStopsThePickAfterItsMessage)
{
    dialog->userSelect("List1", indexOf(dialog->List1, "MAIN ST"));
    const memory::Box before = world.host.map().extent();
    world.host.journal().clear();
    world.host.faults().failCalls("IMap.LayerCount");
    dialog->userSelect("List2", indexOf(dialog->List2, "2"));
    EXPECT_THAT(world.prompts(), ElementsAre("Error: Could not find layer Parcels"));
    EXPECT_TRUE(world.host.journal().searches().empty());
    EXPECT_EQ(world.host.map().extent(), before);
    EXPECT_EQ(world.toolkit.mousePointer(), ui::MousePointer::Default);

    world.host.faults().failCalls("IMap.LayerCount");
    dialog->userSelect("List1", indexOf(dialog->List1, "ELM ST"));
    EXPECT_EQ(world.prompts().size(), 2U);
    EXPECT_TRUE(world.host.journal().searches().empty());
    EXPECT_TRUE(dialog->List2.items().empty());
    EXPECT_EQ(world.toolkit.mousePointer(), ui::MousePointer::Default);
}

TEST_F(AddressPick, ConfigureThenCancelShowsTheSameDialogWithItsLists)
{
    dialog->userSelect("List1", indexOf(dialog->List1, "MAIN ST"));
    bool hiddenMeanwhile = false;
    world.toolkit.whenModal("frmConfig", [&](ui::Form& form) {
        hiddenMeanwhile = !world.host.frames()[0]->visible();
        form.userClick("Command2");
    });
    dialog->userClick("Command1");
    EXPECT_TRUE(hiddenMeanwhile);
    EXPECT_EQ(CorvaneGIS_Public::SearchDialog, dialog);
    EXPECT_TRUE(world.host.frames()[0]->visible());
    EXPECT_EQ(dialog->List1.Text(), "MAIN ST");
    EXPECT_THAT(dialog->List2.items(), ElementsAre("10", "2", "9"));
    ASSERT_EQ(world.toolkit.modalRuns().size(), 1u);
    EXPECT_FALSE(world.toolkit.modalRuns()[0].hadOwner);
    EXPECT_FALSE(frmConfig::hasDefaultInstance());
}

} // namespace
} // namespace corvane::testing
