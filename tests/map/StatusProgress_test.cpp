#include <gtest/gtest.h>

#include <QProgressBar>
#include <QStatusBar>

#include "MapApp.h"
#include "StatusProgress.h"

namespace corvane::map {
namespace {

TEST(MapStatusProgressor, AMillionStepsTouchTheBarOnlyWhenThePercentageChanges)
{
    testing::ensureApplication();
    QStatusBar statusBar;
    StatusBar status(&statusBar);
    StatusProgressor& p = status.progressor();
    p.MaxRange(1'000'000);
    p.StepValue(1);
    p.Position(0);
    p.Message("Loading street names...");
    p.Show();
    for (int i = 0; i < 1'000'000; ++i) p.Step();
    EXPECT_EQ(p.percent(), 100);
    EXPECT_EQ(p.bar()->value(), 100);
    EXPECT_LE(p.barUpdates(), 101);
    EXPECT_GE(p.barUpdates(), 100);
    p.Hide();
    EXPECT_FALSE(p.bar()->isVisibleTo(&statusBar));
}

TEST(MapStatusProgressor, FollowsPositionStepValueAndOverrun)
{
    testing::ensureApplication();
    QStatusBar statusBar;
    StatusBar status(&statusBar);
    StatusProgressor& p = status.progressor();
    p.MaxRange(10);
    p.StepValue(3);
    p.Show();
    p.Step();
    EXPECT_EQ(p.bar()->value(), 30);
    p.Position(5);
    EXPECT_EQ(p.bar()->value(), 50);
    for (int i = 0; i < 10; ++i) p.Step();
    EXPECT_EQ(p.bar()->value(), 100);
    // A zero range must not divide by zero.
    p.MaxRange(0);
    EXPECT_EQ(p.bar()->value(), 100);
}

} // namespace
} // namespace corvane::map
