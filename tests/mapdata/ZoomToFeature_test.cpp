#include <gtest/gtest.h>

#include "MapDataWorld.h"

namespace mapdata_test {
namespace {

using CorvaneGIS_ArcMap::ZoomToFeaturePlus;

TEST(ZoomToFeaturePlus, ScalesTheEnvelopeAboutItsCentreAndRedraws)
{
    MapDataWorld w;
    ZoomToFeaturePlus(w.parcel(10), 0.2);  // 100 by 50 centred at (1000, 2000)
    EXPECT_EQ(w.host.map().extent(), envelope(940, 1970, 1060, 2030));
    ZoomToFeaturePlus(w.parcel(10), 0.0);
    EXPECT_EQ(w.host.map().extent(), envelope(950, 1975, 1050, 2025));
    EXPECT_EQ(w.host.map().refreshCount(), 2);
    EXPECT_TRUE(w.prompts().empty());
}

TEST(ZoomToFeaturePlus, InTheLayoutTheMapFrameIsZoomedNotThePage)
{
    MapDataWorld w;
    w.host.document().showLayout();
    const Box page = w.host.document().pageLayout().extent();
    ZoomToFeaturePlus(w.parcel(10), 0.2);
    EXPECT_EQ(w.host.map().extent(), envelope(940, 1970, 1060, 2030));
    EXPECT_EQ(w.host.map().refreshCount(), 1);
    EXPECT_EQ(w.host.document().pageLayout().extent(), page);
    EXPECT_EQ(w.host.document().pageLayout().refreshCount(), 0);
}

TEST(ZoomToFeaturePlus, NoFeatureDoesNothingAndNoShapeIsReported)
{
    MapDataWorld w;
    ZoomToFeaturePlus(nullptr, 0.2);
    EXPECT_TRUE(w.host.journal().views().empty());
    EXPECT_TRUE(w.prompts().empty());

    const std::int32_t oid = w.town.parcels.addFeatureWithoutShape({"ASH ST", 1, "1", Variant::null()});
    ZoomToFeaturePlus(w.parcel(oid), 0.2);
    EXPECT_TRUE(w.host.journal().views().empty());
    ASSERT_EQ(w.prompts().size(), 1U);
    EXPECT_EQ(moduleLine(w.prompts()[0]), "MODULE: ZoomToFeaturePlus CorvaneGIS_ArcMap Line : 60");
}

} // namespace
} // namespace mapdata_test
