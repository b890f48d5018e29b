#include <gtest/gtest.h>

// GCC sees QWidget's inline accessors through QPointer::data() as
// possibly null; every pointer here is checked by the assertions first.
#pragma GCC diagnostic ignored "-Wnull-dereference"

#include <QPointer>
#include <QWidget>

#include "QtApp.h"
#include "qt/FormPeer.h"
#include "qt/ModelessFrame.h"
#include "search/frmMainLayout.h"
#include "ui/Form.h"

namespace corvane::qt {
namespace {

class QtModelessFrameTest : public ::testing::Test {
protected:
    void TearDown() override { testing::flushDeferredDeletes(); }
    Toolkit& m_toolkit = testing::useQtToolkit();
    QWidget m_owner;
};

TEST_F(QtModelessFrameTest, HoldsTheFormsWidgetAsAToolWindowOverItsOwner)
{
    auto form = std::make_shared<ui::Form>(search::frmMainLayout());
    auto frame = std::make_shared<ModelessFrame>(&m_owner);
    frame->Create(form->hWnd());
    frame->Caption("CorvaneAddressSearch");
    EXPECT_EQ(frame->content(), Toolkit::peerOf(*form)->window());
    EXPECT_EQ(frame->content()->parentWidget(), frame->window());
    EXPECT_EQ(frame->window()->parentWidget(), &m_owner);
    EXPECT_TRUE(frame->window()->windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(frame->window()->windowTitle(), QStringLiteral("CorvaneAddressSearch"));
    EXPECT_EQ(frame->Caption(), "CorvaneAddressSearch");
    frame->Visible(true);
    EXPECT_TRUE(frame->Visible());
    EXPECT_EQ(frame->window()->size(), QSize(394, 268));
}

TEST_F(QtModelessFrameTest, CloseBoxOnlyHidesSoTheFormKeepsItsLists)
{
    auto form = std::make_shared<ui::Form>(search::frmMainLayout());
    auto frame = std::make_shared<ModelessFrame>(&m_owner);
    frame->Create(form->hWnd());
    form->listBox("List1").AddItem("Main Street");
    form->listBox("List1").ListIndex(0);
    frame->Visible(true);
    frame->window()->close();
    EXPECT_FALSE(frame->Visible());
    EXPECT_TRUE(form->Loaded());
    frame->Visible(true);
    EXPECT_EQ(form->listBox("List1").ListIndex(), 0);
    EXPECT_TRUE(frame->content()->isVisible());
}

TEST_F(QtModelessFrameTest, MoveWithZeroSizeKeepsTheSize)
{
    auto form = std::make_shared<ui::Form>(search::frmMainLayout());
    auto frame = std::make_shared<ModelessFrame>(nullptr);
    frame->Create(form->hWnd());
    const QSize before = frame->window()->size();
    frame->Move(315, 100, 0, 0);
    EXPECT_EQ(frame->window()->pos(), QPoint(315, 100));
    EXPECT_EQ(frame->window()->size(), before);
}

TEST_F(QtModelessFrameTest, FrameAndFormMayGoInEitherOrder)
{
    auto form = std::make_shared<ui::Form>(search::frmMainLayout());
    auto frame = std::make_shared<ModelessFrame>(&m_owner);
    frame->Create(form->hWnd());
    frame->Visible(true);
    form->Unload();
    EXPECT_FALSE(frame->Visible());
    frame.reset();

    auto second = std::make_shared<ui::Form>(search::frmMainLayout());
    auto secondFrame = std::make_shared<ModelessFrame>(&m_owner);
    secondFrame->Create(second->hWnd());
    QPointer<QWidget> content = secondFrame->content();
    secondFrame.reset();
    testing::flushDeferredDeletes();
    // The form's widget belongs to its peer, which is still there.
    EXPECT_FALSE(content.isNull());
    second->Unload();
    EXPECT_TRUE(content.isNull());
}

} // namespace
} // namespace corvane::qt
