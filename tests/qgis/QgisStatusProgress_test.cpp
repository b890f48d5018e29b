#include <algorithm>

#include <gtest/gtest.h>

#include "QgisApp.h"
#include "qgis/QgisStatusProgress.h"

namespace corvane::qgis {
namespace {

TEST(QgisStatusProgress, AMillionStepsRepaintTheBarOnlyWhenItsPercentageChanges)
{
    QgsStatusBar statusBar;
    QgisStatusBar status(&statusBar);
    const host::Ref<host::IStepProgressor> progress = status.ProgressBar();
    EXPECT_EQ(progress.get(), status.ProgressBar().get());
    progress->Message("Loading List: STNAME...");
    progress->StepValue(1);
    progress->Position(0);
    progress->MaxRange(1000000);
    for (int i = 0; i < 1000; ++i) progress->Step();  // not shown yet: nothing is painted
    EXPECT_EQ(status.progressor().barUpdates(), 0);
    progress->Show();
    for (int i = 0; i < 999000; ++i) progress->Step();
    EXPECT_EQ(status.progressor().percent(), 100);
    EXPECT_LE(status.progressor().barUpdates(), 101);
    QProgressBar* bar = status.progressor().bar();
    QLabel* message = status.progressor().message();
    ASSERT_TRUE(bar != nullptr && message != nullptr);
    EXPECT_EQ(bar->value(), 100);
    EXPECT_EQ(message->text(), QStringLiteral("Loading List: STNAME..."));
    progress->Hide();
    EXPECT_FALSE(bar->isVisibleTo(&statusBar));
    EXPECT_TRUE(message->text().isEmpty());
}

TEST(QgisStatusProgress, EveryStepShowsTheTruePercentageOfAnUnevenRange)
{
    QgsStatusBar statusBar;
    QgisStatusBar status(&statusBar);
    const host::Ref<host::IStepProgressor> progress = status.ProgressBar();
    progress->MaxRange(333);
    progress->StepValue(1);
    progress->Position(-2);
    progress->Show();
    for (int position = -1; position <= 340; ++position) {
        progress->Step();
        const int expected = std::clamp(position * 100 / 333, 0, 100);
        ASSERT_EQ(status.progressor().percent(), expected) << position;
        ASSERT_EQ(status.progressor().bar()->value(), expected) << position;
    }
    // A new range or position is followed at once, and so are steps backwards.
    progress->MaxRange(1000);
    EXPECT_EQ(status.progressor().percent(), 34);
    progress->StepValue(-10);
    progress->Step();
    EXPECT_EQ(status.progressor().percent(), 33);
}

TEST(QgisStatusProgress, GoingAwayTakesItsWidgetsOutOfQgisStatusBar)
{
    QgsStatusBar statusBar;
    QPointer<QProgressBar> bar;
    {
        QgisStatusBar status(&statusBar);
        bar = status.progressor().bar();
        ASSERT_FALSE(bar.isNull());
        EXPECT_EQ(statusBar.findChildren<QProgressBar*>(QStringLiteral("CorvaneProgressBar")).size(), 1);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(bar.isNull());
    // Without a status bar it only counts.
    QgisStatusBar headless(nullptr);
    headless.ProgressBar()->Show();
    headless.ProgressBar()->Step();
    EXPECT_EQ(headless.progressor().barUpdates(), 0);
}

} // namespace
} // namespace corvane::qgis
