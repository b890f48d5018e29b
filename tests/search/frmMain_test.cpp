#include "search/frmMain.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DialogWorld.h"
#include "help/frmHelp.h"
#include "host/HostError.h"
#include "shared/Public.h"

namespace corvane::testing {
namespace {

using ::testing::ElementsAre;

TEST(CentredOrigin, PlacesTheFormInTheMiddleOfA1024By768Screen)
{
    EXPECT_EQ(search::centredOrigin(1024 * 15, 5910, 15), 315);
    EXPECT_EQ(search::centredOrigin(768 * 15, 4020, 15), 250);
}

TEST(CentredOrigin, RoundsHalvesToEven)
{
    // 512.5 - 197 and 511.5 - 197.
    EXPECT_EQ(search::centredOrigin(1025 * 15, 5910, 15), 316);
    EXPECT_EQ(search::centredOrigin(1023 * 15, 5910, 15), 314);
    // 1.5 - 1 = 0.5 rounds down to 0; 2.5 - 1 = 1.5 rounds up to 2.
    EXPECT_EQ(search::centredOrigin(3, 2, 1), 0);
    EXPECT_EQ(search::centredOrigin(5, 2, 1), 2);
}

TEST(CentredOrigin, ZeroTwipsPerPixelIsADivisionByZero)
{
    try {
        static_cast<void>(search::centredOrigin(15360, 5910, 0));
        FAIL() << "no error raised";
    } catch (const host::HostError& e) {
        EXPECT_EQ(e.number(), 11);
    }
}

class SearchDialogLoad : public ::testing::Test {
protected:
    DialogWorld world;
};

TEST_F(SearchDialogLoad, FirstFrameUseLoadsCentresCaptionsAndListsTheStreets)
{
    world.configure("Parcels", "STNAME", "ADDNUM");
    auto dialog = CorvaneGIS_Public::SearchDialog;
    auto frame = dialog->Frame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(dialog->Frame(), frame);
    ASSERT_EQ(world.host.frames().size(), 1u);
    const auto& memoryFrame = *world.host.frames()[0];
    EXPECT_TRUE(memoryFrame.created());
    EXPECT_EQ(memoryFrame.window(), dialog->hWnd());
    EXPECT_EQ(memoryFrame.caption(), "CorvaneAddressSearch");
    EXPECT_EQ(memoryFrame.left(), 315);
    EXPECT_EQ(memoryFrame.top(), 250);
    EXPECT_EQ(dialog->txtVersion.Caption(), "v2.15");
    EXPECT_THAT(dialog->List1.items(),
                ElementsAre("ELM ST", "MAIN ST", "Main St", "MAPLE AVE", "O'NEIL RD", "OAK AVE"));
    EXPECT_EQ(dialog->List2.ListCount(), 0);
    EXPECT_EQ(CorvaneGIS_Public::ParcelLayerName, "Parcels");
    EXPECT_EQ(world.toolkit.mousePointer(), ui::MousePointer::Default);
    EXPECT_TRUE(world.prompts().empty());
    EXPECT_EQ(world.toolkit.peersCreated(), std::vector<std::string>{"frmMain"});
}

TEST_F(SearchDialogLoad, AConfigurationOfTwoItemsLeavesTheListsEmptyWithoutAMessage)
{
    world.writeConfig("\"Parcels\"\r\n\"STNAME\"\r\n");
    auto dialog = world.showSearchDialog();
    EXPECT_EQ(dialog->List1.ListCount(), 0);
    EXPECT_EQ(dialog->txtVersion.Caption(), "v2.15");
    EXPECT_TRUE(world.prompts().empty());
    EXPECT_EQ(world.toolkit.mousePointer(), ui::MousePointer::Default);
    EXPECT_TRUE(CorvaneGIS_Public::ParcelLayerName.empty());
}

TEST_F(SearchDialogLoad, AMissingConfigurationFileIsReportedWithTheSlotClosedAndThePointerRestored)
{
    world.deleteConfig();
    auto dialog = world.showSearchDialog();
    ASSERT_EQ(world.reports().size(), 1u);
    EXPECT_NE(world.reports()[0].find("MODULE: Form_Load frmMain Line : 5\r\n"), std::string::npos);
    EXPECT_NE(world.reports()[0].find("ERROR NUMBER: 53\r\n"), std::string::npos);
    EXPECT_TRUE(DialogWorld::slotClosed());
    EXPECT_EQ(world.toolkit.mousePointer(), ui::MousePointer::Default);
    // Shown as usual, as far as it got.
    EXPECT_TRUE(world.host.frames().at(0)->visible());
    EXPECT_EQ(dialog->txtVersion.Caption(), "v2.15");
}

TEST_F(SearchDialogLoad, AFrameThatCannotBeCreatedIsReportedAndGivesNothing)
{
    world.host.classes().unregisterClass(host::kModelessFrameClass);
    auto frame = CorvaneGIS_Public::SearchDialog->Frame();
    EXPECT_FALSE(frame);
    ASSERT_EQ(world.reports().size(), 1u);
    EXPECT_NE(world.reports()[0].find("MODULE: Frame frmMain Line : 2\r\n"), std::string::npos);
    EXPECT_FALSE(CorvaneGIS_Public::SearchDialog->Loaded());
}

TEST_F(SearchDialogLoad, ClosingTheFrameAndShowingAgainKeepsTheListsAndDoesNotReload)
{
    world.configure("Parcels", "STNAME", "ADDNUM");
    auto dialog = world.showSearchDialog();
    dialog->userSelect("List1", 1);
    world.host.frames()[0]->Visible(false);
    world.showSearchDialog();
    EXPECT_EQ(world.toolkit.peersCreated().size(), 1u);
    EXPECT_EQ(dialog->List1.ListIndex(), 1);
    EXPECT_THAT(dialog->List2.items(), ElementsAre("10", "2", "9"));
}

TEST_F(SearchDialogLoad, EachHelpClickOpensAnotherHelpWindow)
{
    auto dialog = world.showSearchDialog();
    dialog->userClick("btnHelp2");
    dialog->userClick("btnHelp2");
    const auto& frames = world.host.frames();
    ASSERT_EQ(frames.size(), 3u);
    for (std::size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(frames[i]->caption(), "CorvaneAddressSearch - Help");
        EXPECT_TRUE(frames[i]->visible());
    }
    EXPECT_NE(frames[1]->window(), frames[2]->window());
    EXPECT_EQ(frmHelp::openCount(), 2u);
    EXPECT_TRUE(world.reports().empty());
}

TEST_F(SearchDialogLoad, TheLogoOpensTheWebSite)
{
    auto dialog = world.showSearchDialog();
    world.toolkit.setShellResult(2);  // nothing associated: the dialog says nothing
    dialog->userClick("Image2");
    ASSERT_EQ(world.toolkit.shellRequests().size(), 1u);
    const auto& request = world.toolkit.shellRequests()[0];
    EXPECT_EQ(request.window, dialog->hWnd());
    EXPECT_EQ(request.operation, "Open");
    EXPECT_EQ(request.file, "https://www.corvanegis.example.com/");
    EXPECT_EQ(request.parameters, "");
    EXPECT_EQ(request.directory, "");
    EXPECT_EQ(request.showCommand, 1);
    EXPECT_TRUE(world.prompts().empty());
}

} // namespace
} // namespace corvane::testing
