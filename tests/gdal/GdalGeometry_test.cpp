#include "gdal/GdalGeometry.h"

#include <gtest/gtest.h>

#include "host/HostError.h"

namespace corvane::gdal {
namespace {

TEST(GdalGeometryTest, ExpandAsRatioScalesAboutTheCentre)
{
    GdalEnvelope envelope(Box{950, 1975, 1050, 2025});  // 100 by 50 about (1000, 2000)
    envelope.Expand(1.2, 1.2, true);
    EXPECT_EQ(envelope.box(), (Box{940, 1970, 1060, 2030}));
    envelope.Expand(1.0, 1.0, true);
    EXPECT_EQ(envelope.box(), (Box{940, 1970, 1060, 2030}));
}

TEST(GdalGeometryTest, ExpandByDistanceAddsOnEachSide)
{
    GdalEnvelope envelope(Box{0, 0, 10, 10});
    envelope.Expand(2, 3, false);
    EXPECT_EQ(envelope.box(), (Box{-2, -3, 12, 13}));
}

TEST(GdalGeometryTest, ExpandNeverTurnsAnEnvelopeInsideOutOrInfinite)
{
    GdalEnvelope envelope(Box{0, 0, 10, 10});
    EXPECT_THROW(envelope.Expand(-1, 1, true), host::HostError);
    EXPECT_THROW(envelope.Expand(-6, 0, false), host::HostError);
    EXPECT_THROW(envelope.Expand(1e308, 1e308, true), host::HostError);
    EXPECT_EQ(envelope.box(), (Box{0, 0, 10, 10}));
}

TEST(GdalGeometryTest, AShapesEnvelopeIsACopy)
{
    OGRLineString line;
    line.addPoint(1, 2);
    line.addPoint(5, -1);
    GdalGeometry shape(std::unique_ptr<OGRGeometry>(line.clone()));
    auto envelope = shape.Envelope();
    EXPECT_EQ(boxOf(*envelope), (Box{1, -1, 5, 2}));
    envelope->Expand(2, 2, true);
    EXPECT_EQ(boxOf(*shape.Envelope()), (Box{1, -1, 5, 2}));
    GdalGeometry empty(std::make_unique<OGRPolygon>());
    EXPECT_EQ(boxOf(*empty.Envelope()), Box{});
}

} // namespace
} // namespace corvane::gdal
