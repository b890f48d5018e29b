#include "ui/Controls.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless/HeadlessToolkit.h"
#include "headless/ScopedToolkit.h"
#include "ui/Form.h"
#include "ui/SortKey.h"

namespace corvane::ui {
namespace {

using ::testing::ElementsAre;

constexpr ControlSpec makeList(std::string_view name, bool sorted)
{
    ControlSpec spec;
    spec.name = name;
    spec.kind = ControlKind::ListBox;
    spec.sorted = sorted;
    return spec;
}

constexpr ControlSpec kLists[] = {makeList("Sorted", true), makeList("Plain", false)};

constexpr FormSpec makeForm()
{
    FormSpec spec;
    spec.name = "frmLists";
    spec.clientWidth = 3000;
    spec.clientHeight = 2000;
    spec.controls = kLists;
    return spec;
}

constexpr FormSpec kForm = makeForm();

class SortedListBoxTest : public ::testing::Test {
protected:
    Form m_form{kForm};
    ListBox& sorted() { return m_form.listBox("Sorted"); }

    void add(ListBox& list, const std::vector<std::string>& texts)
    {
        for (const auto& text : texts) list.AddItem(text);
    }
};

TEST_F(SortedListBoxTest, AccentedNamesSortAmongTheirLettersNotAfterZ)
{
    add(sorted(), {"Vila Popular", "Águas Compridas", "Zona Norte", "Avenida Brasil", "Ébano", "Estrela", "ÁGUA"});
    EXPECT_THAT(sorted().items(), ElementsAre("ÁGUA", "Águas Compridas", "Avenida Brasil", "Ébano", "Estrela",
                                              "Vila Popular", "Zona Norte"));
}

TEST_F(SortedListBoxTest, CaseIsIgnoredAndEqualNamesKeepTheOrderTheyCameIn)
{
    add(sorted(), {"Main St", "ELM ST", "MAIN ST", "main st", "Elm St", " LEADING BLANK WAY", "O'NEIL RD", "OAK AVE"});
    EXPECT_THAT(sorted().items(), ElementsAre(" LEADING BLANK WAY", "ELM ST", "Elm St", "Main St", "MAIN ST", "main st",
                                              "O'NEIL RD", "OAK AVE"));
    // Entries added after a read still go after their equals.
    EXPECT_EQ(sorted().ListCount(), 8);
    add(sorted(), {"MAIN St", "elm st"});
    EXPECT_THAT(sorted().items(), ElementsAre(" LEADING BLANK WAY", "ELM ST", "Elm St", "elm st", "Main St", "MAIN ST",
                                              "main st", "MAIN St", "O'NEIL RD", "OAK AVE"));
    EXPECT_EQ(listSortKey("Main St"), listSortKey("MAIN ST"));
    EXPECT_NE(listSortKey("Agua"), listSortKey("Água"));
}

TEST_F(SortedListBoxTest, NumbersAsTextSortCharacterByCharacter)
{
    add(sorted(), {"9", "10", "2", "", "1A"});
    EXPECT_THAT(sorted().items(), ElementsAre("", "10", "1A", "2", "9"));
}

TEST_F(SortedListBoxTest, TheSelectionFollowsItsEntryAsOthersArePlaced)
{
    add(sorted(), {"B", "D"});
    sorted().ListIndex(1);
    add(sorted(), {"A", "C", "E"});
    EXPECT_EQ(sorted().ListIndex(), 3);
    EXPECT_EQ(sorted().Text(), "D");
    EXPECT_TRUE(sorted().Selected(3));
    sorted().Clear();
    EXPECT_EQ(sorted().ListIndex(), -1);
    EXPECT_EQ(sorted().ListCount(), 0);
}

TEST_F(SortedListBoxTest, ListsThatAreNotSortedKeepTheOrderOfAdding)
{
    ListBox& plain = m_form.listBox("Plain");
    add(plain, {"b", "A", "a"});
    EXPECT_THAT(plain.items(), ElementsAre("b", "A", "a"));
}

TEST_F(SortedListBoxTest, IllFormedTextStillGetsAPlace)
{
    add(sorted(), {"B", std::string("\xC3\x28", 2), "A"});
    EXPECT_EQ(sorted().ListCount(), 3);
    EXPECT_EQ(sorted().List(0), "A");
}

// The toolkit's window hears of each entry at the place it takes, so that
// replaying what it heard gives the list's order.
class ShowingForm : public Form {
public:
    ShowingForm() : Form(kForm) {}
    std::vector<std::string> toAdd;

protected:
    void Form_Load() override
    {
        for (const auto& text : toAdd) listBox("Sorted").AddItem(text);
    }
};

TEST(SortedListBoxPeer, TheWindowShowsTheEntriesInTheListsOrder)
{
    headless::HeadlessToolkit toolkit;
    headless::ScopedToolkit installed(toolkit);
    auto form = std::make_shared<ShowingForm>();
    form->toAdd = {"pine", "Elm", "ash", "ELM"};
    form->Load();
    const auto shown = [&] {
        std::vector<std::string> entries;
        for (const auto& change : toolkit.listChanges()) {
            if (change.list != "Sorted" || change.kind != headless::ListChangeKind::Inserted) continue;
            entries.insert(entries.begin() + change.index, change.text);
        }
        return entries;
    };
    EXPECT_THAT(shown(), ElementsAre("ash", "Elm", "ELM", "pine"));
    // Entries added while the window shows the list go to their places at
    // once, and the selection stays on its entry.
    ListBox& list = form->listBox("Sorted");
    list.ListIndex(1);
    for (const char* text : {"zelkova", "Ash", "birch"}) list.AddItem(text);
    EXPECT_THAT(shown(), ElementsAre("ash", "Ash", "birch", "Elm", "ELM", "pine", "zelkova"));
    EXPECT_EQ(list.items(), shown());
    EXPECT_EQ(list.ListIndex(), 3);
    EXPECT_EQ(list.Text(), "Elm");
    form->Unload();
}

} // namespace
} // namespace corvane::ui
