// A user's way through the tool from the toolbar button, on the memory
// host's parcel town and the headless toolkit.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DialogWorld.h"
#include "command/CorvaneAddressSearch.h"
#include "config/frmConfig.h"
#include "help/frmHelp.h"
#include "shared/Public.h"

namespace corvane::testing {
namespace {

using ::testing::ElementsAre;

constexpr const char* kNotConfigured = "Tool is not configured.\r\nConfiguration window will now load.";

class Journey : public ::testing::Test {
protected:
    void SetUp() override
    {
        CorvaneGIS_Public::ApplicationRef.reset();
        command.ICommand_OnCreate(host::Ref<host::HostObject>(world.host.application()));
        world.toolkit.clearRecords();
    }

    static void choose(ui::Form& form, int layer, const std::string& street, const std::string& number)
    {
        auto& config = dynamic_cast<frmConfig&>(form);
        form.userSelect("List1", layer);
        form.userSelect("List2", indexOf(config.List2, street));
        form.userSelect("List3", indexOf(config.List3, number));
        form.userClick("Command1");
    }

    static int indexOf(const ui::ListBox& list, const std::string& text)
    {
        for (int i = 0; i < list.ListCount(); ++i)
            if (list.List(i) == text) return i;
        ADD_FAILURE() << text << " not listed";
        return -1;
    }

    [[nodiscard]] frmMain& searchDialog() const { return *CorvaneGIS_Public::SearchDialog; }
    [[nodiscard]] memory::MemoryModelessFrame& searchFrame() const { return *world.host.frames().front(); }

    DialogWorld world{DialogWorld::Town::Memory};
    CorvaneAddressSearch command;
};

TEST_F(Journey, FromTheFirstClickToAZoomedParcelAndBack)
{
    // First click: nothing configured yet.
    world.toolkit.whenModal("frmConfig", [](ui::Form& form) { choose(form, 0, "STNAME", "ADDNUM"); });
    command.ICommand_OnClick();
    ASSERT_THAT(world.prompts(), ElementsAre(kNotConfigured));
    EXPECT_EQ(world.toolkit.messageBoxes()[0].modalForm, "");
    ASSERT_EQ(world.toolkit.modalRuns().size(), 1u);
    EXPECT_EQ(world.toolkit.modalRuns()[0].form, "frmConfig");
    EXPECT_FALSE(world.toolkit.modalRuns()[0].hadOwner);
    EXPECT_EQ(world.configBytes(), "\"Parcels\"\r\n\"STNAME\"\r\n\"ADDNUM\"\r\n");

    // The new search dialog lists the streets, ignoring case in the order.
    ASSERT_EQ(world.host.frames().size(), 1u);
    EXPECT_TRUE(searchFrame().visible());
    EXPECT_EQ(searchFrame().caption(), "CorvaneAddressSearch");
    EXPECT_THAT(searchDialog().List1.items(), ElementsAre(" LEADING BLANK WAY", "ELM ST", "MAIN ST", "Main St",
                                                          "MAPLE AVE", "O'NEIL RD", "OAK AVE", "PINE CT"));
    EXPECT_EQ(searchDialog().txtVersion.Caption(), "v2.15");

    // Type a prefix, press Go, pick a number.
    searchDialog().userType("Text1", "oa");
    searchDialog().userClick("Command4");
    EXPECT_EQ(searchDialog().List1.Text(), "OAK AVE");
    EXPECT_THAT(searchDialog().List2.items(), ElementsAre("12", "14"));
    searchDialog().userSelect("List2", 0);
    const memory::Box expected = enlarged(memory::Box{950, 1975, 1050, 2025}, 1.2);
    EXPECT_NEAR(world.host.map().extent().xmin, expected.xmin, 1e-9);
    EXPECT_NEAR(world.host.map().extent().ymin, expected.ymin, 1e-9);
    EXPECT_NEAR(world.host.map().extent().xmax, expected.xmax, 1e-9);
    EXPECT_NEAR(world.host.map().extent().ymax, expected.ymax, 1e-9);

    // "Configure", then "Cancel": the same dialog comes back as it was.
    std::weak_ptr<frmMain> before = CorvaneGIS_Public::SearchDialog;
    world.toolkit.whenModal("frmConfig", [](ui::Form& form) { form.userClick("Command2"); });
    searchDialog().userClick("Command1");
    EXPECT_EQ(CorvaneGIS_Public::SearchDialog, before.lock());
    EXPECT_TRUE(searchFrame().visible());
    EXPECT_EQ(searchDialog().List1.Text(), "OAK AVE");

    // "Configure", then "Continue" with another layer: the dialog whose
    // button handler is still running is replaced, and goes once it returns.
    world.toolkit.whenModal("frmConfig", [](ui::Form& form) { choose(form, 1, "BLDGNAME", "FLOORS"); });
    searchDialog().userClick("Command1");
    EXPECT_TRUE(before.expired());
    EXPECT_FALSE(searchFrame().visible());
    EXPECT_THAT(searchDialog().List1.items(), ElementsAre("FIRE STATION", "LIBRARY", "TOWN HALL"));
    EXPECT_TRUE(world.host.frames().back()->visible());
    EXPECT_EQ(world.configBytes(), "\"Buildings\"\r\n\"BLDGNAME\"\r\n\"FLOORS\"\r\n");

    // The help window and its three addresses.
    searchDialog().userClick("btnHelp2");
    auto& helpFrame = *world.host.frames().back();
    EXPECT_EQ(helpFrame.caption(), "CorvaneAddressSearch - Help");
    EXPECT_TRUE(helpFrame.visible());
    const auto helpDialogs = frmHelp::openDialogs();
    ASSERT_EQ(helpDialogs.size(), 1u);
    for (const char* link : {"Label2", "Label3", "Label4"}) helpDialogs[0]->userClick(link);
    std::vector<std::string> files;
    for (const auto& request : world.toolkit.shellRequests()) files.push_back(request.file);
    EXPECT_THAT(files, ElementsAre("https://www.corvanegis.example.com/", "mailto:info@corvanegis.example.com",
                                   "https://www.corvanegis.example.com/Products/ArcGIS/CorvaneAddressSearch/index.htm"));

    EXPECT_TRUE(world.reports().empty());
    EXPECT_EQ(world.unhandledErrors(), 0);
    EXPECT_EQ(world.toolkit.mousePointer(), ui::MousePointer::Default);
    EXPECT_TRUE(DialogWorld::slotClosed());
}

TEST_F(Journey, AConfiguredClickShowsTheSameDialogAgainWithoutReloading)
{
    world.configure("Parcels", "STNAME", "ADDNUM");
    command.ICommand_OnClick();
    searchDialog().userSelect("List1", 1);
    searchFrame().Visible(false);
    // Even a file that later holds two items keeps the tool configured.
    world.writeConfig("\"Parcels\"\r\n\"STNAME\"\r\n");
    command.ICommand_OnClick();
    EXPECT_EQ(world.host.frames().size(), 1u);
    EXPECT_TRUE(searchFrame().visible());
    EXPECT_EQ(world.toolkit.peersCreated(), std::vector<std::string>{"frmMain"});
    EXPECT_EQ(searchDialog().List1.Text(), "ELM ST");
    EXPECT_TRUE(world.prompts().empty());
}

TEST_F(Journey, ClosingTheFirstRunConfigurationByItsCloseBoxShowsNothing)
{
    command.ICommand_OnClick();  // the scripted user closes the dialog at once
    EXPECT_THAT(world.prompts(), ElementsAre(kNotConfigured));
    EXPECT_TRUE(world.toolkit.modalRuns().at(0).closedByCloseBox);
    EXPECT_TRUE(world.host.frames().empty());
    EXPECT_EQ(world.configBytes(), "");
    EXPECT_FALSE(frmConfig::hasDefaultInstance());
}

} // namespace
} // namespace corvane::testing
