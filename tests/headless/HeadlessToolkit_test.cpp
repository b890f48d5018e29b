#include "headless/HeadlessToolkit.h"
#include "headless/ScopedToolkit.h"
#include "ui/Form.h"

#include <gtest/gtest.h>

namespace corvane::headless {
namespace {

using ui::ControlKind;

constexpr ui::ControlSpec makeControl(std::string_view name, ControlKind kind, std::string_view caption = {})
{
    ui::ControlSpec spec;
    spec.name = name;
    spec.kind = kind;
    spec.caption = caption;
    return spec;
}

constexpr ui::ControlSpec kDialogControls[] = {
    makeControl("List1", ControlKind::ListBox),
    makeControl("Text1", ControlKind::TextBox),
    makeControl("Command1", ControlKind::CommandButton, "Continue"),
    makeControl("Command2", ControlKind::CommandButton, "Cancel"),
};

constexpr ui::FormSpec makeForm(std::string_view name, std::span<const ui::ControlSpec> controls)
{
    ui::FormSpec spec;
    spec.name = name;
    spec.clientWidth = 3000;
    spec.clientHeight = 2000;
    spec.controls = controls;
    return spec;
}

constexpr ui::FormSpec kDialogSpec = makeForm("dlgTest", kDialogControls);
constexpr ui::FormSpec kInnerSpec = makeForm("dlgInner", {});

// A small dialog: Continue hides it, Cancel unloads it, Command2 of the
// inner dialog is never pressed.
class TestDialog : public ui::Form {
  public:
    TestDialog() : Form(kDialogSpec)
    {
        control("Command1").Click = [this] { Hide(); };
        control("Command2").Click = [this] { Unload(); };
    }
    int loads = 0;

  protected:
    void Form_Load() override
    {
        ++loads;
        listBox("List1").AddItem("Parcels");
        listBox("List1").AddItem("Roads");
    }
};

// A form that ignores its close box.
class StubbornDialog : public ui::Form {
  public:
    StubbornDialog() : Form(kInnerSpec) {}
    void userClose() override {}
};

class HeadlessToolkitTest : public ::testing::Test {
  protected:
    HeadlessToolkit toolkit;
    ScopedToolkit installed{toolkit};
};

TEST_F(HeadlessToolkitTest, ScriptActsInsideTheModalRunAndIsConsumedOnce)
{
    auto dialog = std::make_shared<TestDialog>();
    int seenSelection = -2;
    toolkit.whenModal("dlgTest", [&](ui::Form& f) {
        f.userSelect("List1", 1);
        seenSelection = f.listBox("List1").ListIndex();
        f.userClick("Command1");
    });
    dialog->Show(ui::vbModal);

    EXPECT_EQ(seenSelection, 1);
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(dialog->Loaded()); // hidden, not unloaded: no close box needed
    ASSERT_EQ(toolkit.modalRuns().size(), 1u);
    EXPECT_TRUE(toolkit.modalRuns()[0].scripted);
    EXPECT_FALSE(toolkit.modalRuns()[0].closedByCloseBox);
    EXPECT_FALSE(toolkit.modalRuns()[0].hadOwner);
    EXPECT_EQ(toolkit.pendingModalScripts(), 0u);

    // The next showing has no script: the user closes the window at once.
    dialog->Show(ui::vbModal);
    ASSERT_EQ(toolkit.modalRuns().size(), 2u);
    EXPECT_FALSE(toolkit.modalRuns()[1].scripted);
    EXPECT_TRUE(toolkit.modalRuns()[1].closedByCloseBox);
    EXPECT_FALSE(dialog->Loaded());
}

TEST_F(HeadlessToolkitTest, ScriptsQueueInOrderPerForm)
{
    auto dialog = std::make_shared<TestDialog>();
    std::vector<int> order;
    toolkit.whenModal("dlgTest", [&](ui::Form& f) {
        order.push_back(1);
        f.userClick("Command2");
    });
    toolkit.whenModal("dlgInner", [&](ui::Form&) { order.push_back(99); });
    toolkit.whenModal("dlgTest", [&](ui::Form&) { order.push_back(2); });
    dialog->Show(ui::vbModal);
    dialog->Show(ui::vbModal);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(toolkit.pendingModalScripts(), 1u);
    EXPECT_EQ(dialog->loads, 2); // unloaded by Cancel, so loaded afresh
}

TEST_F(HeadlessToolkitTest, NestedModalRunsAndBoxesKnowWhichFormIsInFront)
{
    auto outer = std::make_shared<TestDialog>();
    auto inner = std::make_shared<StubbornDialog>();
    toolkit.whenModal("dlgTest", [&](ui::Form&) {
        ui::toolkit().messageBox("outer box", "T");
        inner->Show(ui::vbModal);
        ui::toolkit().messageBox("after inner", "T");
    });
    toolkit.whenModal("dlgInner", [&](ui::Form&) { ui::toolkit().messageBox("inner box", "T"); });
    outer->Show(ui::vbModal);

    ASSERT_EQ(toolkit.messageBoxes().size(), 3u);
    EXPECT_EQ(toolkit.messageBoxes()[0].modalForm, "dlgTest");
    EXPECT_EQ(toolkit.messageBoxes()[1].modalForm, "dlgInner");
    EXPECT_EQ(toolkit.messageBoxes()[2].modalForm, "dlgTest");
    ASSERT_EQ(toolkit.modalRuns().size(), 2u);
    EXPECT_EQ(toolkit.modalRuns()[0].form, "dlgTest");
    EXPECT_FALSE(toolkit.modalRuns()[0].stillOpen);
    // The inner form ignored its close box: the record says so.
    EXPECT_TRUE(toolkit.modalRuns()[1].closedByCloseBox);
    EXPECT_TRUE(toolkit.modalRuns()[1].stillOpen);
    EXPECT_EQ(toolkit.activeModalForm(), "");
}

TEST_F(HeadlessToolkitTest, RecordsWindowsListsTextsAndTheirOrder)
{
    auto dialog = std::make_shared<TestDialog>();
    dialog->Show();
    dialog->textBox("Text1").Text("Main");
    dialog->Hide();
    EXPECT_EQ(toolkit.openWindows("dlgTest"), 1);
    dialog->Unload();
    EXPECT_EQ(toolkit.openWindows("dlgTest"), 0);

    EXPECT_EQ(toolkit.peersCreated(), (std::vector<std::string>{"dlgTest"}));
    EXPECT_EQ(toolkit.timeline(),
              (std::vector<std::string>{"create: dlgTest", "show: dlgTest", "hide: dlgTest", "destroy: dlgTest"}));
    ASSERT_EQ(toolkit.listChanges().size(), 2u);
    EXPECT_EQ(toolkit.listChanges()[1].text, "Roads");
    EXPECT_EQ(toolkit.listChanges()[1].index, 1);
    ASSERT_EQ(toolkit.textChanges().size(), 1u);
    EXPECT_EQ(toolkit.textChanges()[0].control, "Text1");
    EXPECT_EQ(toolkit.textChanges()[0].text, "Main");
}

TEST_F(HeadlessToolkitTest, PointerShellScreenAndBoxScript)
{
    EXPECT_EQ(toolkit.mousePointer(), ui::MousePointer::Default);
    ui::toolkit().setMousePointer(ui::MousePointer::Hourglass);
    ui::toolkit().setMousePointer(ui::MousePointer::Default);
    EXPECT_EQ(toolkit.pointerChanges(),
              (std::vector<ui::MousePointer>{ui::MousePointer::Hourglass, ui::MousePointer::Default}));

    EXPECT_EQ(ui::toolkit().screenWidthTwips(), 1024 * 15);
    toolkit.setScreenPixels(800, 600);
    toolkit.setTwipsPerPixel(12, 12);
    EXPECT_EQ(ui::toolkit().screenHeightTwips(), 600 * 12);

    toolkit.setShellResult(2);
    EXPECT_EQ(ui::toolkit().shellExecute(7, "Open", "mailto:x@y", "", "", 1), 2);
    ASSERT_EQ(toolkit.shellRequests().size(), 1u);
    EXPECT_EQ(toolkit.shellRequests()[0].file, "mailto:x@y");
    EXPECT_EQ(toolkit.shellRequests()[0].showCommand, 1);

    std::vector<std::string> seen;
    toolkit.onMessageBox([&](const MessageBoxRecord& box) { seen.push_back(box.title + "|" + box.prompt); });
    ui::toolkit().messageBox("Hello", "CorvaneGIS");
    EXPECT_EQ(seen, (std::vector<std::string>{"CorvaneGIS|Hello"}));
}

TEST(ScopedToolkitTest, RestoresThePreviousToolkitAndSurvivesFormsThatOutliveIt)
{
    HeadlessToolkit outer;
    ScopedToolkit installedOuter(outer);
    std::shared_ptr<TestDialog> survivor;
    {
        HeadlessToolkit inner;
        ScopedToolkit installedInner(inner);
        survivor = std::make_shared<TestDialog>();
        survivor->Show();
        EXPECT_EQ(&ui::toolkit(), &inner);
    }
    EXPECT_EQ(&ui::toolkit(), &outer);
    survivor.reset(); // its window's peer outlives the toolkit that made it
    EXPECT_TRUE(outer.formEvents().empty());
}

} // namespace
} // namespace corvane::headless
