#include "CommandWorld.h"
#include "command/CorvaneAddressSearch.h"
#include "host/QueryFilter.h"
#include "search/frmMain.h"

#include <gtest/gtest.h>

namespace {

using namespace corvane;
using corvane::testing::CommandWorld;
using corvane::testing::kThreeItems;
namespace Public = CorvaneGIS_Public;

constexpr const char* kNotConfigured = "Tool is not configured.\r\nConfiguration window will now load.";

class CommandTest : public ::testing::Test {
  protected:
    void create() { command.ICommand_OnCreate(world.host.application()); }

    CommandWorld world;
    CorvaneAddressSearch command;
};

TEST_F(CommandTest, PropertiesAreTheFixedTexts)
{
    EXPECT_TRUE(command.ICommand_Enabled());
    EXPECT_FALSE(command.ICommand_Checked());
    EXPECT_EQ(command.ICommand_Name(), "CorvaneGIS_CorvaneAddressSearch");
    EXPECT_EQ(command.ICommand_Caption(), "CorvaneAddressSearch");
    EXPECT_EQ(command.ICommand_Tooltip(), "CorvaneAddressSearch - Zoom to an address");
    EXPECT_EQ(command.ICommand_Message(), "CorvaneGIS: www.corvanegis.example.com");
    EXPECT_EQ(command.ICommand_HelpFile(), "");
    EXPECT_EQ(command.ICommand_HelpContextID(), 0);
    EXPECT_EQ(command.ICommand_Category(), "CorvaneGIS");
    EXPECT_TRUE(world.toolkit.messageBoxes().empty());
}

TEST_F(CommandTest, BitmapFirstCreatesTheResourceFormAndKeepsItsHandle)
{
    const OLE_HANDLE first = command.ICommand_Bitmap();
    ASSERT_NE(first, 0u);
    EXPECT_EQ(command.ICommand_Bitmap(), first);
    EXPECT_EQ(CorvaneAddressSearch().ICommand_Bitmap(), first);
    const auto bits = shared::pictureBits(static_cast<std::int32_t>(first));
    ASSERT_EQ(bits.size(), 824u);
    EXPECT_EQ(bits[18], 16); // width
    EXPECT_EQ(bits[22], 16); // height
    EXPECT_EQ(bits[28], 24); // bits per pixel
}

TEST_F(CommandTest, OnCreateKeepsTheHookAndPreparesTheProductFolder)
{
    create();
    EXPECT_TRUE(world.toolkit.messageBoxes().empty());
    EXPECT_EQ(command.HookApplication, world.host.application());
    ASSERT_TRUE(Public::SearchDialog);
    EXPECT_FALSE(Public::SearchDialog->Loaded());
    EXPECT_EQ(Public::ProductName, "CorvaneAddressSearch");
    EXPECT_EQ(Public::ProductVersion, "v2.15");
    EXPECT_EQ(Public::DriveLetter, "C");
    EXPECT_EQ(Public::ProductFolderPath, "C:\\Program Files\\CorvaneGIS\\CorvaneAddressSearch\\");
    EXPECT_EQ(Public::ConfigFilePath, "C:\\Program Files\\CorvaneGIS\\CorvaneAddressSearch\\config");
    ASSERT_TRUE(std::filesystem::is_regular_file(world.configFile()));
    EXPECT_EQ(std::filesystem::file_size(world.configFile()), 0u);

    // A second command object replaces the search dialog, not the file.
    world.writeConfig(kThreeItems);
    const auto firstDialog = Public::SearchDialog;
    CorvaneAddressSearch().ICommand_OnCreate(world.host.application());
    EXPECT_NE(Public::SearchDialog, firstDialog);
    EXPECT_EQ(world.scratch.readFile(corvane::testing::kConfigRelative), kThreeItems);
}

TEST_F(CommandTest, HookThatIsNotTheApplicationFailsBeforeAnyFolderIsMade)
{
    command.ICommand_OnCreate(host::makeRef<host::QueryFilter>());
    EXPECT_EQ(world.toolkit.messagePrompts(), std::vector<std::string>{"Error: ICommand_OnCreate()"});
    EXPECT_EQ(world.toolkit.messageBoxes().at(0).title, "CorvaneGIS");
    EXPECT_TRUE(command.HookApplication.isNothing());
    EXPECT_FALSE(Public::SearchDialog);
    EXPECT_EQ(Public::ProductName, "");
    EXPECT_FALSE(std::filesystem::exists(world.companyFolder()));
}

TEST_F(CommandTest, FirstClickOnAnEmptyConfigurationShowsTheMessageThenTheModalConfigurationDialog)
{
    create();
    command.ICommand_OnClick();
    EXPECT_EQ(world.toolkit.messagePrompts(), std::vector<std::string>{kNotConfigured});
    ASSERT_EQ(world.toolkit.modalRuns().size(), 1u);
    EXPECT_EQ(world.toolkit.modalRuns()[0].form, "frmConfig");
    EXPECT_FALSE(world.toolkit.modalRuns()[0].hadOwner);
    // The box came up before the dialog, outside it.
    EXPECT_EQ(world.toolkit.messageBoxes()[0].modalForm, "");
    EXPECT_FALSE(Public::IsConfigured);
    EXPECT_EQ(Public::HostApplication, world.host.application());
    EXPECT_TRUE(world.host.frames().empty());
    EXPECT_FALSE(config::fileSlot1().isOpen());
}

TEST_F(CommandTest, ThreeItemsShowTheSearchDialogModelesslyAndAgainOnTheNextClick)
{
    create();
    world.writeConfig(kThreeItems);
    command.ICommand_OnClick();
    EXPECT_TRUE(Public::IsConfigured);
    EXPECT_TRUE(world.toolkit.modalRuns().empty());
    ASSERT_EQ(world.host.frames().size(), 1u);
    EXPECT_TRUE(world.host.frames()[0]->visible());

    world.host.frames()[0]->Visible(false);
    // Configured for good: a file that no longer holds three items still
    // shows the search dialog.
    world.writeConfig("\"Parcels\"\r\n\"STNAME\"\r\n");
    command.ICommand_OnClick();
    ASSERT_EQ(world.host.frames().size(), 1u);
    EXPECT_TRUE(world.host.frames()[0]->visible());
    EXPECT_TRUE(world.toolkit.modalRuns().empty());
    for (const std::string& prompt : world.toolkit.messagePrompts())
        EXPECT_NE(prompt, kNotConfigured);
}

TEST_F(CommandTest, DeletedConfigurationFileGivesOnlyTheClickError)
{
    create();
    std::filesystem::remove(world.configFile());
    command.ICommand_OnClick();
    EXPECT_EQ(world.toolkit.messagePrompts(), std::vector<std::string>{"Error: ICommand_OnClick()"});
    EXPECT_TRUE(world.toolkit.modalRuns().empty());
    EXPECT_TRUE(world.host.frames().empty());
    EXPECT_FALSE(config::fileSlot1().isOpen());
}

TEST_F(CommandTest, ClickWithoutOnCreateFailsCleanly)
{
    // No ConfigFilePath, no search dialog: the click's own trap answers.
    command.ICommand_OnClick();
    EXPECT_EQ(world.toolkit.messagePrompts(), std::vector<std::string>{"Error: ICommand_OnClick()"});
    Public::ConfigFilePath = "C:\\Program Files\\CorvaneGIS\\CorvaneAddressSearch\\config";
    world.writeConfig(kThreeItems);
    world.toolkit.clearRecords();
    command.ICommand_OnClick();
    EXPECT_EQ(world.toolkit.messagePrompts(), std::vector<std::string>{"Error: ICommand_OnClick()"});
}

TEST_F(CommandTest, EachClickFollowsTheDocumentThatIsOpenNow)
{
    create();
    command.ICommand_OnClick();
    const auto firstDocument = Public::HostDocument;
    ASSERT_FALSE(firstDocument.isNothing());
    world.host.openDocument();
    command.ICommand_OnClick();
    EXPECT_FALSE(Public::HostDocument.isNothing());
    EXPECT_NE(Public::HostDocument, firstDocument);
    EXPECT_EQ(Public::HostDocument.get(), dynamic_cast<host::IMxDocument*>(&world.host.document()));
}

TEST_F(CommandTest, MissingAppRefClassIsAClickError)
{
    create();
    world.host.classes().unregisterClass(host::kAppRefClass);
    command.ICommand_OnClick();
    EXPECT_EQ(world.toolkit.messagePrompts(), std::vector<std::string>{"Error: ICommand_OnClick()"});
    EXPECT_TRUE(world.toolkit.modalRuns().empty());
}

} // namespace
