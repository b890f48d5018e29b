#include <gtest/gtest.h>

// GCC sees QWidget's inline accessors through QPointer::data() as
// possibly null; every pointer here is checked by the assertions first.
#pragma GCC diagnostic ignored "-Wnull-dereference"

#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "QtApp.h"
#include "config/frmConfigLayout.h"
#include "qt/FormPeer.h"
#include "ui/Form.h"

namespace corvane::qt {
namespace {

class QtToolkitTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        m_toolkit.setMousePointer(ui::MousePointer::Default);
        testing::flushDeferredDeletes();
    }
    Toolkit& m_toolkit = testing::useQtToolkit();
};

TEST_F(QtToolkitTest, BusyPointerIsSetAndRestoredNeverStacked)
{
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    m_toolkit.setMousePointer(ui::MousePointer::Hourglass);
    m_toolkit.setMousePointer(ui::MousePointer::Hourglass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(m_toolkit.mousePointer(), ui::MousePointer::Hourglass);
    // One restore undoes any number of sets.
    m_toolkit.setMousePointer(ui::MousePointer::Default);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    m_toolkit.setMousePointer(ui::MousePointer::Default);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(m_toolkit.mousePointer(), ui::MousePointer::Default);
}

TEST_F(QtToolkitTest, PointerIsDefaultAgainAfterHandlersThatSetTheBusyPointer)
{
    auto form = std::make_shared<ui::Form>(config::frmConfigLayout());
    form->Load();
    form->Show();
    form->listBox("List1").AddItem("Parcels");
    auto busyThenDefault = [&] {
        m_toolkit.setMousePointer(ui::MousePointer::Hourglass);
        m_toolkit.setMousePointer(ui::MousePointer::Default);
    };
    form->listBox("List1").Click = busyThenDefault;
    form->captioned("Command1").Click = busyThenDefault;
    FormPeer& peer = *Toolkit::peerOf(*form);
    QTest::mouseClick(peer.widget("Command1"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    form->userSelect("List1", 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(QtToolkitTest, MessageBoxHasOnlyOkAndTheGivenTitle)
{
    QString title, text;
    QMessageBox::StandardButtons buttons;
    m_toolkit.onMessageBox = [&](QMessageBox& box) {
        title = box.windowTitle();
        text = box.text();
        buttons = box.standardButtons();
        QTimer::singleShot(0, &box, [&box] { box.accept(); });
    };
    m_toolkit.messageBox("Please choose a parcel layer", "CorvaneGIS");
    EXPECT_EQ(title, QStringLiteral("CorvaneGIS"));
    EXPECT_EQ(text, QStringLiteral("Please choose a parcel layer"));
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST_F(QtToolkitTest, MessageBoxWhileBusyShowsAnArrowAndLeavesOneOverride)
{
    m_toolkit.setMousePointer(ui::MousePointer::Hourglass);
    Qt::CursorShape during = Qt::BlankCursor;
    m_toolkit.onMessageBox = [&](QMessageBox& box) {
        during = QGuiApplication::overrideCursor()->shape();
        QTimer::singleShot(0, &box, [&box] { box.accept(); });
    };
    m_toolkit.messageBox("No matching feature found", "CorvaneGIS");
    EXPECT_EQ(during, Qt::ArrowCursor);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    m_toolkit.setMousePointer(ui::MousePointer::Default);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(QtToolkitTest, ModalDialogReturnsWhenHiddenByItsDefaultButton)
{
    auto form = std::make_shared<ui::Form>(config::frmConfigLayout());
    int continued = 0;
    form->captioned("Command1").Click = [&] {
        ++continued;
        form->Hide();
    };
    m_toolkit.onModalShown = [&](ui::Form& shown) {
        EXPECT_EQ(&shown, form.get());
        const QWidget* window = Toolkit::peerOf(shown)->window();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
        QTimer::singleShot(0, [&shown] { QTest::keyClick(Toolkit::peerOf(shown)->widget("List2"), Qt::Key_Enter); });
    };
    form->Show(ui::vbModal);
    EXPECT_EQ(continued, 1);
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(form->Loaded());
}

TEST_F(QtToolkitTest, ModalDialogClosedByTheWindowIsUnloaded)
{
    auto form = std::make_shared<ui::Form>(config::frmConfigLayout());
    m_toolkit.onModalShown = [](ui::Form& shown) {
        QTimer::singleShot(0, [&shown] { Toolkit::peerOf(shown)->window()->close(); });
    };
    form->Show(ui::vbModal);
    EXPECT_FALSE(form->Loaded());
}

TEST_F(QtToolkitTest, ModalDialogUnloadedFromItsOwnButtonEndsTheLoop)
{
    auto form = std::make_shared<ui::Form>(config::frmConfigLayout());
    form->captioned("Command2").Click = [&] { form->Unload(); };
    m_toolkit.onModalShown = [](ui::Form& shown) {
        QTimer::singleShot(0, [&shown] { QTest::mouseClick(Toolkit::peerOf(shown)->widget("Command2"), Qt::LeftButton); });
    };
    form->Show(ui::vbModal);
    EXPECT_FALSE(form->Loaded());
}

TEST_F(QtToolkitTest, ShellOpensOnlyWithTheOpenVerbAndAnswersAboveThirtyTwo)
{
    std::vector<QUrl> opened;
    m_toolkit.openUrl = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    EXPECT_GT(m_toolkit.shellExecute(0, "Open", "mailto:info@corvanegis.example.com", "", "", 1), 32);
    EXPECT_GT(m_toolkit.shellExecute(0, "Open", "https://www.corvanegis.example.com/Products/ArcGIS/x/index.htm", "", "", 1), 32);
    EXPECT_LE(m_toolkit.shellExecute(0, "Print", "https://www.corvanegis.example.com/", "", "", 1), 32);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(opened[0].path(), QStringLiteral("info@corvanegis.example.com"));
    EXPECT_EQ(opened[1].path(), QStringLiteral("/Products/ArcGIS/x/index.htm"));
    m_toolkit.openUrl = [](const QUrl&) { return false; };
    EXPECT_LE(m_toolkit.shellExecute(0, "Open", "https://www.corvanegis.example.com/", "", "", 1), 32);
}

TEST_F(QtToolkitTest, ScreenIsMeasuredInTwips)
{
    EXPECT_EQ(m_toolkit.twipsPerPixelX(), 15);
    EXPECT_EQ(m_toolkit.twipsPerPixelY(), 15);
    const QSize pixels = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(m_toolkit.screenWidthTwips(), pixels.width() * 15);
    EXPECT_EQ(m_toolkit.screenHeightTwips(), pixels.height() * 15);
}

} // namespace
} // namespace corvane::qt
