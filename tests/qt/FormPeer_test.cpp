#include <gtest/gtest.h>

// GCC sees QWidget's inline accessors through QPointer::data() as
// possibly null; every pointer here is checked by the assertions first.
#pragma GCC diagnostic ignored "-Wnull-dereference"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QFontMetricsF>
#include <QTest>
#include <cmath>

#include "QtApp.h"
#include "config/frmConfigLayout.h"
#include "help/frmHelpLayout.h"
#include "qt/FormPeer.h"
#include "search/frmMainLayout.h"
#include "ui/Form.h"

namespace corvane::qt {
namespace {

class QtFormPeerTest : public ::testing::Test {
protected:
    void TearDown() override { testing::flushDeferredDeletes(); }

    std::shared_ptr<ui::Form> loaded(const ui::FormSpec& spec)
    {
        auto form = std::make_shared<ui::Form>(spec);
        form->Load();
        return form;
    }

    static FormPeer& peerOf(const ui::Form& form) { return *Toolkit::peerOf(form); }
    template <class W>
    static W* widgetOf(const ui::Form& form, std::string_view name)
    {
        return qobject_cast<W*>(peerOf(form).widget(name));
    }

    Toolkit& m_toolkit = testing::useQtToolkit();
};

int pixels(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

QString shownText(QWidget* w)
{
    if (auto* box = qobject_cast<QGroupBox*>(w)) return box->title();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    return {};
}

TEST_F(QtFormPeerTest, EachDialogIsLaidOutFromItsTableAtFifteenTwipsPerPixel)
{
    ASSERT_EQ(m_toolkit.twipsPerPixelX(), 15);
    for (const ui::FormSpec* spec : {&search::frmMainLayout(), &config::frmConfigLayout(), &help::frmHelpLayout()}) {
        SCOPED_TRACE(std::string(spec->name));
        auto form = loaded(*spec);
        FormPeer& peer = peerOf(*form);
        EXPECT_EQ(peer.window()->size(), QSize(pixels(spec->clientWidth), pixels(spec->clientHeight)));
        EXPECT_EQ(peer.window()->windowTitle().toStdString(), spec->caption);
        EXPECT_EQ(peer.window()->palette().color(QPalette::Window),
                  QColor(spec->backColor.red, spec->backColor.green, spec->backColor.blue));
        for (const ui::ControlSpec& cs : spec->controls) {
            SCOPED_TRACE(std::string(cs.name));
            QWidget* w = peer.widget(cs.name);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->geometry(), QRect(pixels(cs.left), pixels(cs.top), pixels(cs.width), pixels(cs.height)));
            EXPECT_EQ(w->toolTip().toStdString(), cs.tooltip);
            EXPECT_EQ(w->parentWidget(), cs.container.empty() ? peer.window() : peer.widget(cs.container));
            if (cs.kind != ui::ControlKind::ListBox && cs.kind != ui::ControlKind::Image) {
                EXPECT_EQ(shownText(w).toStdString(), cs.caption);
            }
            EXPECT_EQ(w->font().bold(), cs.font.bold);
            // A wider stand-in family is narrowed to keep the caption inside its box.
            EXPECT_LE(w->font().pointSizeF(), cs.font.points);
            EXPECT_GE(w->font().pointSizeF(), cs.font.points * 0.7);
            if (!cs.caption.empty() && w->font().pointSizeF() > cs.font.points * 0.7) {
                EXPECT_LE(QFontMetricsF(w->font()).horizontalAdvance(shownText(w)), w->width());
            }
            if (cs.foreColor) {
                EXPECT_EQ(w->palette().color(QPalette::WindowText),
                          QColor(cs.foreColor->red, cs.foreColor->green, cs.foreColor->blue));
            }
        }
    }
}

TEST_F(QtFormPeerTest, FrameTitlesAreDarkRedButWhatTheyHoldKeepsItsOwnColour)
{
    auto form = loaded(config::frmConfigLayout());
    EXPECT_EQ(widgetOf<QGroupBox>(*form, "Frame1")->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_EQ(widgetOf<QListWidget>(*form, "List1")->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(widgetOf<QLabel>(*form, "Label1")->palette().color(QPalette::WindowText), QColor(Qt::black));
}

TEST_F(QtFormPeerTest, PointingHandOverListsAndButtonsTextCursorOverTheTextBox)
{
    auto form = loaded(search::frmMainLayout());
    for (const char* name : {"List1", "List2", "Command4", "Command1", "btnHelp2"}) {
        SCOPED_TRACE(name);
        const QCursor cursor = peerOf(*form).widget(name)->cursor();
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
        EXPECT_EQ(cursor.hotSpot(), QPoint(10, 10));
    }
    EXPECT_EQ(peerOf(*form).widget("Text1")->cursor().shape(), Qt::IBeamCursor);
    auto help = loaded(help::frmHelpLayout());
    EXPECT_EQ(peerOf(*help).widget("Label4")->cursor().hotSpot(), QPoint(10, 10));
}

TEST_F(QtFormPeerTest, ListShowsEntriesInTheModelsSortedOrderIgnoringCase)
{
    auto form = loaded(search::frmMainLayout());
    ui::ListBox& list = form->listBox("List1");
    for (const char* street : {"delta Road", "Alpha Street", "charlie Lane", "Bravo Way", "alpha street"})
        list.AddItem(street);
    auto* widget = widgetOf<QListWidget>(*form, "List1");
    ASSERT_EQ(widget->count(), 5);
    for (int i = 0; i < widget->count(); ++i) EXPECT_EQ(widget->item(i)->text().toStdString(), list.List(i));
    EXPECT_EQ(widget->item(0)->text(), QStringLiteral("Alpha Street"));
    EXPECT_EQ(widget->item(1)->text(), QStringLiteral("alpha street"));
    EXPECT_EQ(widget->item(4)->text(), QStringLiteral("delta Road"));
    list.Clear();
    EXPECT_EQ(widget->count(), 0);
}

TEST_F(QtFormPeerTest, SelectionInCodeRaisesTheClickOnceAndIsShownWithoutEcho)
{
    auto form = loaded(search::frmMainLayout());
    ui::ListBox& list = form->listBox("List1");
    for (const char* street : {"Alpha", "Bravo", "Charlie"}) list.AddItem(street);
    int clicks = 0;
    list.Click = [&] { ++clicks; };
    list.ListIndex(1);
    auto* widget = widgetOf<QListWidget>(*form, "List1");
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(widget->currentRow(), 1);
    EXPECT_TRUE(widget->item(1)->isSelected());
    list.ListIndex(-1);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(widget->selectedItems().isEmpty());
}

TEST_F(QtFormPeerTest, MouseAndKeyboardPicksRaiseTheClickWithTheNewIndex)
{
    auto form = loaded(search::frmMainLayout());
    form->Show();
    ui::ListBox& list = form->listBox("List2");
    for (const char* number : {"10", "12", "9"}) list.AddItem(number);
    std::vector<std::string> picked;
    list.Click = [&] { picked.push_back(list.Text()); };
    auto* widget = widgetOf<QListWidget>(*form, "List2");
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, widget->visualItemRect(widget->item(0)).center());
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_Down);
    QTest::keyClick(widget, Qt::Key_Down);
    EXPECT_EQ(picked, (std::vector<std::string>{"10", "12", "9"}));
    EXPECT_EQ(list.ListIndex(), 2);
}

TEST_F(QtFormPeerTest, TabbingIntoAListDoesNotPickAnEntry)
{
    auto form = loaded(search::frmMainLayout());
    form->Show();
    ui::ListBox& list = form->listBox("List1");
    list.AddItem("Alpha");
    int clicks = 0;
    list.Click = [&] { ++clicks; };
    widgetOf<QListWidget>(*form, "List1")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(QtFormPeerTest, ClickHandlerThatRefillsAnotherListDoesNotLoop)
{
    auto form = loaded(search::frmMainLayout());
    ui::ListBox& streets = form->listBox("List1");
    ui::ListBox& numbers = form->listBox("List2");
    streets.AddItem("Alpha");
    streets.AddItem("Bravo");
    int clicks = 0;
    streets.Click = [&] {
        ++clicks;
        numbers.Clear();
        numbers.AddItem(streets.Text() + " 1");
        numbers.ListIndex(0);
    };
    form->userSelect("List1", 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(widgetOf<QListWidget>(*form, "List2")->item(0)->text(), QStringLiteral("Bravo 1"));
}

TEST_F(QtFormPeerTest, TypingReachesTheTextBoxAndCodeChangesReachTheWidget)
{
    auto form = loaded(search::frmMainLayout());
    auto* edit = widgetOf<QLineEdit>(*form, "Text1");
    QTest::keyClicks(edit, "O'Br");
    EXPECT_EQ(form->textBox("Text1").Text(), "O'Br");
    form->textBox("Text1").Text("Main");
    EXPECT_EQ(edit->text(), QStringLiteral("Main"));
    form->captioned("txtVersion").Caption("v2.15");
    EXPECT_EQ(widgetOf<QLabel>(*form, "txtVersion")->text(), QStringLiteral("v2.15"));
}

TEST_F(QtFormPeerTest, EnterPressesTheDefaultButtonAndButtonsAndLinksClick)
{
    auto form = loaded(config::frmConfigLayout());
    form->Show();
    std::vector<std::string> clicked;
    form->captioned("Command1").Click = [&] { clicked.emplace_back("Command1"); };
    form->captioned("Command2").Click = [&] { clicked.emplace_back("Command2"); };
    QTest::keyClick(peerOf(*form).widget("List1"), Qt::Key_Return);
    QTest::mouseClick(peerOf(*form).widget("Command2"), Qt::LeftButton);
    EXPECT_EQ(clicked, (std::vector<std::string>{"Command1", "Command2"}));

    auto help = loaded(help::frmHelpLayout());
    help->Show();
    int linkClicks = 0;
    help->captioned("Label4").Click = [&] { ++linkClicks; };
    QTest::mouseClick(peerOf(*help).widget("Label4"), Qt::LeftButton);
    EXPECT_EQ(linkClicks, 1);
}

TEST_F(QtFormPeerTest, UnloadingFromItsOwnClickHandlerIsSafe)
{
    auto form = loaded(config::frmConfigLayout());
    form->Show();
    QPointer<QWidget> window = peerOf(*form).window();
    form->captioned("Command2").Click = [&] { form->Unload(); };
    QTest::mouseClick(peerOf(*form).widget("Command2"), Qt::LeftButton);
    EXPECT_FALSE(form->Loaded());
    testing::flushDeferredDeletes();
    EXPECT_TRUE(window.isNull());
}

TEST_F(QtFormPeerTest, ScreenshotOfEachDialog)
{
    auto search = loaded(search::frmMainLayout());
    for (const char* street : {"Main Street", "O'Brien Road", " Leading Blank Lane", "main street"})
        search->listBox("List1").AddItem(street);
    for (const char* number : {"10", "12", "9", "101"}) search->listBox("List2").AddItem(number);
    search->listBox("List1").ListIndex(1);
    search->captioned("txtVersion").Caption("v2.15");
    auto configure = loaded(config::frmConfigLayout());
    for (const char* layer : {"Parcels", "Streets", "Hydrants"}) configure->listBox("List1").AddItem(layer);
    auto help = loaded(help::frmHelpLayout());
    for (const auto& form : {search, configure, help}) {
        form->Show();
        const QPixmap shot = peerOf(*form).window()->grab();
        const QString file = testing::artifactFolder() + QLatin1Char('/') + QString::fromUtf8(form->name().data(), static_cast<qsizetype>(form->name().size())) + QStringLiteral(".png");
        EXPECT_TRUE(shot.save(file)) << file.toStdString();
        EXPECT_EQ(shot.size(), peerOf(*form).window()->size());
    }
}

} // namespace
} // namespace corvane::qt
