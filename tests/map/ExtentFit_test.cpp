#include "ExtentFit.h"

#include <gtest/gtest.h>

namespace corvane::map {
namespace {

double widthOf(const gdal::Box& b) { return b.xMax - b.xMin; }
double heightOf(const gdal::Box& b) { return b.yMax - b.yMin; }

// Ground metres across and up of a fitted extent in `srs`.
std::pair<double, double> groundSize(const gdal::Box& b, const gdal::Srs& srs)
{
    const gdal::GroundScale s = groundScaleAt(srs, b);
    return {widthOf(b) * s.metresPerUnitX, heightOf(b) * s.metresPerUnitY};
}

struct Place {
    const char* name;
    int epsg;
    double x, y;
};

TEST(MapMinimumExtent, APointBecomesThirtyMetresOfGroundInAnySystem)
{
    for (const Place& place : {Place{"UTM metres", 32618, 500000, 4500000}, Place{"degrees at the equator", 4326, 10, 0},
                               Place{"degrees at 60 N", 4326, 10, 60}, Place{"US feet", 2263, 1000000, 200000}}) {
        const gdal::Srs srs = gdal::srsFromEpsg(place.epsg);
        ASSERT_TRUE(srs) << place.name;
        const gdal::Box point{place.x, place.y, place.x, place.y};
        const gdal::Box shown = fitExtent(point, QSizeF(400, 400), groundScaleAt(srs, point));
        // A square window shows equal map units both ways: at 60 N, 30 m
        // across are 60 m up.
        const auto [across, up] = groundSize(shown, srs);
        EXPECT_NEAR(std::min(across, up), kMinimumGroundSize, 0.01) << place.name;
        EXPECT_GE(std::max(across, up), kMinimumGroundSize) << place.name;
        EXPECT_DOUBLE_EQ((shown.xMin + shown.xMax) / 2, place.x) << place.name;
        EXPECT_DOUBLE_EQ((shown.yMin + shown.yMax) / 2, place.y) << place.name;
    }
}

TEST(MapMinimumExtent, AtSixtyNorthADegreeAcrossIsHalfAsLongAsOneUp)
{
    const gdal::Srs degrees = gdal::srsFromEpsg(4326);
    const gdal::Box point{10, 60, 10, 60};
    const gdal::Box shown = fitExtent(point, QSizeF(400, 200), groundScaleAt(degrees, point));
    // A 2:1 window over 30 m up: 60 m across, which at 60 N is twice the degrees of 30 m up.
    EXPECT_NEAR(widthOf(shown) / heightOf(shown), 2.0, 1e-9);
    EXPECT_NEAR(heightOf(shown), 30.0 / 111319.49, 1e-7);
}

TEST(MapMinimumExtent, ThinAndSensibleExtentsAreLeftAsTheCommandSetThem)
{
    const gdal::GroundScale feet = gdal::groundScale(gdal::srsFromEpsg(2263), 0, 0);
    // A parcel 60 by 100 feet (18 by 30 m) is shown exactly, widened only to the window.
    const gdal::Box parcel{1000, 2000, 1060, 2100};
    const gdal::Box shown = fitExtent(parcel, QSizeF(300, 500), feet);
    EXPECT_EQ(shown, parcel);
    // A zero-height street 200 m long keeps its length; the window gives it height.
    const gdal::Box street{0, 10, 200, 10};
    const gdal::Box line = fitExtent(street, QSizeF(200, 100));
    EXPECT_DOUBLE_EQ(widthOf(line), 200);
    EXPECT_DOUBLE_EQ(heightOf(line), 100);
    // A shed 5 by 4 m is widened to 30 m and keeps its centre.
    const gdal::Box shed = fitExtent({100, 100, 105, 104}, QSizeF(100, 100));
    EXPECT_DOUBLE_EQ(widthOf(shed), 30);
    EXPECT_DOUBLE_EQ((shed.xMin + shed.xMax) / 2, 102.5);
}

TEST(MapScale, OneToNIsGroundOverScreenInTheMapsUnits)
{
    // 960 px at 96 dpi are 10 inches, 0.254 m of screen.
    EXPECT_NEAR(scaleDenominator({0, 0, 254, 100}, 960, gdal::srsFromEpsg(32618), 96), 1000, 1e-6);
    EXPECT_NEAR(scaleDenominator({0, 0, 254 / 0.3048006096, 100}, 960, gdal::srsFromEpsg(2263), 96), 1000, 1e-3);
    const double degreesAcross = 254 / (111319.49 * 0.5);
    EXPECT_NEAR(scaleDenominator({10, 59.9, 10 + degreesAcross, 60.1}, 960, gdal::srsFromEpsg(4326), 96), 1000, 1.0);
    EXPECT_EQ(scaleDenominator({0, 0, 1, 1}, 0, {}, 96), 0.0);
}

} // namespace
} // namespace corvane::map
