// The street search behind "Go".

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DialogWorld.h"
#include "search/frmMain.h"
#include "shared/Public.h"

namespace corvane::testing {
namespace {

using ::testing::ElementsAre;

class StreetSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.configure("Parcels", "STNAME", "ADDNUM");
        dialog = world.showSearchDialog();
        world.toolkit.clearRecords();
    }

    void go(const std::string& text)
    {
        dialog->userType("Text1", text);
        dialog->userClick("Command4");
    }

    DialogWorld world;
    std::shared_ptr<frmMain> dialog;
};

TEST_F(StreetSearch, SelectsTheFirstStreetBeginningWithTheTextIgnoringCaseAndListsItsNumbers)
{
    for (const char* text : {"ma", "Ma", "MA"}) {
        go(text);
        EXPECT_EQ(dialog->List1.Text(), "MAIN ST") << text;
        EXPECT_THAT(dialog->List2.items(), ElementsAre("10", "2", "9")) << text;
    }
    EXPECT_TRUE(world.prompts().empty());
    EXPECT_EQ(world.toolkit.mousePointer(), ui::MousePointer::Default);
}

TEST_F(StreetSearch, MatchesOnlyAtTheStartOfANameAndNeverPastItsEnd)
{
    for (const char* text : {"st", "MAPLE AVENUE", " MAIN"}) {
        dialog->userSelect("List1", 0);
        go(text);
        EXPECT_EQ(dialog->List1.Text(), "ELM ST") << text;
    }
    EXPECT_THAT(world.prompts(), ElementsAre("No matching feature found", "No matching feature found",
                                             "No matching feature found"));
    EXPECT_EQ(world.toolkit.mousePointer(), ui::MousePointer::Default);
}

TEST_F(StreetSearch, AnEmptyTextAsksForTextEvenWhenTheListIsEmpty)
{
    dialog->List1.Clear();
    go("");
    go("x");
    EXPECT_THAT(world.prompts(), ElementsAre("Please enter text to search for", "No matching feature found"));
    EXPECT_EQ(world.toolkit.mousePointer(), ui::MousePointer::Default);
}

TEST_F(StreetSearch, PressingGoTwiceListsTheSameStreetAgain)
{
    go("o'");
    dialog->userSelect("List2", 0);
    go("o'");
    EXPECT_EQ(dialog->List1.Text(), "O'NEIL RD");
    EXPECT_THAT(dialog->List2.items(), ElementsAre("4"));
    EXPECT_EQ(dialog->List2.ListIndex(), -1);
}

TEST_F(StreetSearch, SearchesListsLongerThan32767Entries)
{
    dialog->List1.Clear();
    for (int i = 0; i < 40000; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "S%05d", i);
        dialog->List1.AddItem(name);
    }
    dialog->List1.AddItem("ZULU WAY");
    go("zulu");
    EXPECT_EQ(dialog->List1.ListIndex(), 40000);
    EXPECT_TRUE(world.prompts().empty());
}

} // namespace
} // namespace corvane::testing
