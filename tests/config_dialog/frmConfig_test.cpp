#include "config/frmConfig.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DialogWorld.h"
#include "posix/FaultyFileSystem.h"
#include "posix/ScopedFileSystem.h"
#include "shared/Public.h"

namespace corvane::testing {
namespace {

using ::testing::ElementsAre;

const std::vector<std::string> kParcelFields{"OBJECTID", "STNAME", "ADDNUM", "SHAPE"};

class ConfigDialog : public ::testing::Test {
protected:
    // Shows the default instance modally with the user's actions in between.
    void run(const std::function<void(ui::Form&)>& script)
    {
        world.toolkit.whenModal("frmConfig", script);
        frmConfig::defaultInstance()->Show(ui::vbModal);
    }

    static frmConfig& dialog(ui::Form& form) { return dynamic_cast<frmConfig&>(form); }

    DialogWorld world;
};

TEST_F(ConfigDialog, ListsTheFeatureLayersAndTheChosenLayersFieldsTwice)
{
    run([&](ui::Form& form) {
        auto& d = dialog(form);
        EXPECT_THAT(d.List1.items(), ElementsAre("Parcels", "Lots"));
        EXPECT_EQ(d.List1.ListIndex(), -1);
        EXPECT_EQ(d.List2.ListCount(), 0);
        form.userSelect("List1", 0);
        EXPECT_EQ(d.List2.items(), kParcelFields);
        EXPECT_EQ(d.List3.items(), kParcelFields);
        form.userSelect("List2", 1);
        form.userSelect("List3", 2);
        form.userSelect("List1", 1);
        EXPECT_THAT(d.List2.items(), ElementsAre("OBJECTID", "STREET", "NUMBER", "SHAPE"));
        EXPECT_EQ(d.List2.ListIndex(), -1);
        EXPECT_EQ(d.List3.ListIndex(), -1);
        form.userClick("Command2");
    });
    EXPECT_TRUE(world.prompts().empty());
}

TEST_F(ConfigDialog, ContinueNamesTheFirstMissingChoiceAndWritesNothing)
{
    run([&](ui::Form& form) {
        form.userClick("Command1");
        form.userSelect("List1", 0);
        form.userSelect("List3", 2);
        form.userClick("Command1");
        form.userSelect("List2", 1);
        form.userSelect("List3", -1);
        form.userClick("Command1");
        EXPECT_TRUE(form.Visible());
        form.userClose();
    });
    EXPECT_THAT(world.prompts(), ElementsAre("Please choose a parcel layer", "Please choose a street field",
                                             "Please choose an address field"));
    EXPECT_EQ(world.configBytes(), "");
}

// The street field's handler only keeps its trap armed: picking there asks
// the host nothing, so even a host that fails every call shows no report.
TEST_F(ConfigDialog, PickingAStreetFieldAsksTheHostNothing)
{
    run([&](ui::Form& form) {
        form.userSelect("List1", 0);
        world.host.faults().failCall(1);
        const auto calls = world.host.faults().callCount();
        form.userSelect("List2", 1);
        form.userSelect("List2", 2);
        EXPECT_EQ(world.host.faults().callCount(), calls);
        EXPECT_EQ(dialog(form).List2.Text(), "ADDNUM");
        world.host.faults().disarm();
        form.userClick("Command2");
    });
    EXPECT_TRUE(world.prompts().empty());
    EXPECT_EQ(world.unhandledErrors(), 0);
}

TEST_F(ConfigDialog, ContinueSavesClosesAndShowsANewSearchDialogOnTheNewConfiguration)
{
    const auto oldDialog = CorvaneGIS_Public::SearchDialog;
    run([&](ui::Form& form) {
        form.userSelect("List1", 0);
        form.userSelect("List2", 1);
        form.userSelect("List3", 2);
        form.userClick("Command1");
    });
    EXPECT_EQ(world.configBytes(), "\"Parcels\"\r\n\"STNAME\"\r\n\"ADDNUM\"\r\n");
    EXPECT_EQ(CorvaneGIS_Public::StreetNameField, "STNAME");
    EXPECT_FALSE(frmConfig::hasDefaultInstance());
    const auto newDialog = CorvaneGIS_Public::SearchDialog;
    ASSERT_NE(newDialog, oldDialog);
    ASSERT_EQ(world.host.frames().size(), 1u);
    EXPECT_TRUE(world.host.frames()[0]->visible());
    EXPECT_EQ(newDialog->List1.ListCount(), 6);
    EXPECT_FALSE(world.toolkit.modalRuns().at(0).closedByCloseBox);
    EXPECT_TRUE(world.prompts().empty());
}

TEST_F(ConfigDialog, CancelWritesNothingAndShowsTheExistingSearchDialog)
{
    const auto existing = CorvaneGIS_Public::SearchDialog;
    run([&](ui::Form& form) {
        form.userSelect("List1", 0);
        form.userClick("Command2");
    });
    EXPECT_EQ(world.configBytes(), "");
    EXPECT_EQ(CorvaneGIS_Public::SearchDialog, existing);
    ASSERT_EQ(world.host.frames().size(), 1u);
    EXPECT_TRUE(world.host.frames()[0]->visible());
    // Never configured: the search dialog opens with empty lists, quietly.
    EXPECT_EQ(existing->List1.ListCount(), 0);
    EXPECT_TRUE(world.prompts().empty());
    EXPECT_FALSE(frmConfig::hasDefaultInstance());
}

TEST_F(ConfigDialog, EveryOpeningStartsFreshWithoutTheSavedChoice)
{
    run([&](ui::Form& form) {
        form.userSelect("List1", 0);
        form.userSelect("List2", 1);
        form.userSelect("List3", 2);
        form.userClick("Command1");
    });
    run([&](ui::Form& form) {
        auto& d = dialog(form);
        EXPECT_EQ(d.List1.ListIndex(), -1);
        EXPECT_EQ(d.List2.ListCount(), 0);
        form.userClick("Command2");
    });
    EXPECT_EQ(world.toolkit.peersCreated(),
              (std::vector<std::string>{"frmConfig", "frmMain", "frmConfig"}));
}

TEST_F(ConfigDialog, AFailedSaveIsReportedAndKeepsTheDialogOpenAndTheOldFile)
{
    world.configure("Lots", "STREET", "NUMBER");
    posix::FaultyFileSystem faulty(world.files);
    posix::ScopedFileSystem installed(faulty);
    faulty.failOn(posix::FileOperation::Open, 1, 70, "Permission denied");
    const auto existing = CorvaneGIS_Public::SearchDialog;
    run([&](ui::Form& form) {
        form.userSelect("List1", 0);
        form.userSelect("List2", 1);
        form.userSelect("List3", 2);
        form.userClick("Command1");
        EXPECT_TRUE(form.Visible());
        form.userClick("Command2");
    });
    ASSERT_EQ(world.reports().size(), 1u);
    EXPECT_NE(world.reports()[0].find("MODULE: Command1_Click frmConfig Line : 3\r\n"), std::string::npos);
    EXPECT_NE(world.reports()[0].find("ERROR NUMBER: 70\r\n"), std::string::npos);
    EXPECT_TRUE(DialogWorld::slotClosed());
    EXPECT_EQ(world.configBytes(), "\"Lots\"\r\n\"STREET\"\r\n\"NUMBER\"\r\n");
    EXPECT_EQ(CorvaneGIS_Public::SearchDialog, existing);
}

TEST_F(ConfigDialog, AMapWithoutFeatureLayersLeavesTheLayerListEmpty)
{
    world.host.map().removeLayer("Parcels");
    world.host.map().removeLayer("Basemap");
    run([&](ui::Form& form) {
        EXPECT_EQ(dialog(form).List1.ListCount(), 0);
        form.userClick("Command1");
        form.userClose();
    });
    EXPECT_THAT(world.prompts(), ElementsAre("Please choose a parcel layer"));
}

} // namespace
} // namespace corvane::testing
