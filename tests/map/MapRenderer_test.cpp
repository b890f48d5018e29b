#include <gtest/gtest.h>

#include "MapRenderer.h"

namespace corvane::map {
namespace {

TEST(MapFitExtent, WidensToTheViewportsShapeAboutTheCentre)
{
    const gdal::Box fitted = fitExtent({940, 1975, 1060, 2025}, QSizeF(400, 400));
    EXPECT_DOUBLE_EQ(fitted.xMin, 940);
    EXPECT_DOUBLE_EQ(fitted.xMax, 1060);
    EXPECT_DOUBLE_EQ(fitted.yMin, 1940);
    EXPECT_DOUBLE_EQ(fitted.yMax, 2060);
    const gdal::Box tall = fitExtent({0, 0, 100, 400}, QSizeF(200, 100));
    EXPECT_DOUBLE_EQ(tall.xMax - tall.xMin, 800);
    EXPECT_DOUBLE_EQ(tall.yMax - tall.yMin, 400);
}

TEST(MapTransform, PutsTheExtentOnTheTargetWithNorthUp)
{
    const QTransform t = mapToPixels({100, 200, 300, 400}, QRectF(10, 20, 200, 200));
    EXPECT_EQ(t.map(QPointF(100, 400)), QPointF(10, 20));
    EXPECT_EQ(t.map(QPointF(300, 200)), QPointF(210, 220));
}

} // namespace
} // namespace corvane::map
