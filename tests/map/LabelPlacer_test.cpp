#include "LabelPlacer.h"

#include <gtest/gtest.h>

#include "MapApp.h"

namespace corvane::map {
namespace {

QFont labelFont()
{
    QFont font;
    font.setPixelSize(12);
    return font;
}

TEST(MapLabels, ALabelThatWouldOverlapAnAcceptedOneIsSkipped)
{
    testing::ensureApplication();
    LabelPlacer placer(labelFont());
    EXPECT_TRUE(placer.offer({QPointF(100, 100), 0.0, -1.0, QStringLiteral("112")}));
    EXPECT_FALSE(placer.offer({QPointF(104, 102), 0.0, -1.0, QStringLiteral("114")}));
    EXPECT_TRUE(placer.offer({QPointF(100, 140), 0.0, -1.0, QStringLiteral("116")}));
    EXPECT_FALSE(placer.offer({QPointF(300, 300), 0.0, -1.0, QString()}));
    EXPECT_EQ(placer.placed().size(), 2u);
}

TEST(MapLabels, ALabelWiderThanItsFeatureIsSkipped)
{
    testing::ensureApplication();
    LabelPlacer placer(labelFont());
    EXPECT_FALSE(placer.offer({QPointF(50, 50), 0.0, 6.0, QStringLiteral("1234")}));
    EXPECT_TRUE(placer.offer({QPointF(50, 50), 0.0, 200.0, QStringLiteral("1234")}));
}

TEST(MapLabels, RotatedLabelsCollideByTheirOwnOutlinesNotTheirBoxes)
{
    testing::ensureApplication();
    LabelPlacer placer(labelFont());
    // Two parallel diagonal street names: their upright boxes overlap, they do not.
    EXPECT_TRUE(placer.offer({QPointF(100, 100), 45.0, -1.0, QStringLiteral("LONG STREET NAME")}));
    EXPECT_TRUE(placer.offer({QPointF(130, 70), 45.0, -1.0, QStringLiteral("LONG STREET NAME")}));
    EXPECT_TRUE(placer.placed()[0].boundingRect().intersects(placer.placed()[1].boundingRect()));
    // One across them does.
    EXPECT_FALSE(placer.offer({QPointF(115, 85), -45.0, -1.0, QStringLiteral("CROSS ST")}));
    for (std::size_t i = 0; i < placer.placed().size(); ++i)
        for (std::size_t j = i + 1; j < placer.placed().size(); ++j)
            EXPECT_FALSE(outlinesOverlap(placer.placed()[i], placer.placed()[j]));
}

} // namespace
} // namespace corvane::map
