#include "gdal/SpatialReference.h"

#include <gtest/gtest.h>

#include "TownFiles.h"
#include "gdal/MapBuilder.h"
#include "gdal/TransformPool.h"
#include "host/QueryFilter.h"
#include "towngen/TownWriter.h"

namespace corvane::gdal {
namespace {

using testing::featureLayer;
using testing::scratchPath;

// The town written once in UTM metres and once in degrees: the same ground.
struct TwinTowns {
    std::string metres = scratchPath("twin-32618.gpkg");
    std::string degrees = scratchPath("twin-4326.gpkg");
    TwinTowns()
    {
        const towngen::TownSize size{60, 6, 3};
        towngen::writeTown(size, towngen::Format::GeoPackage, metres);
        towngen::writeTown(size, towngen::Format::GeoPackage, degrees, towngen::TownPlace{4326});
    }
};

const TwinTowns& twins()
{
    static const TwinTowns towns;
    return towns;
}

// What the system does for a picked parcel: fetch it by its ID, take its
// shape's envelope, enlarge it and make it the view's extent.
Box zoomLikeTheCommand(GdalMap& map, FeatureLayer& parcels, std::int32_t oid)
{
    auto filter = host::makeRef<host::QueryFilter>();
    filter->WhereClause(parcels.table().OIDFieldName() + " in (" + std::to_string(oid) + ")");
    auto cursor = parcels.Search(filter, true);
    auto feature = cursor->NextFeature();
    EXPECT_TRUE(feature);
    auto envelope = feature->Shape()->Envelope();
    envelope->Expand(1.2, 1.2, true);
    map.Extent(envelope);
    map.Refresh();
    return map.extentBox();
}

TEST(SpatialReferenceTest, GroundScaleFollowsTheUnitAndTheLatitude)
{
    const GroundScale metres = groundScale(srsFromEpsg(32618), 500000, 4500000);
    EXPECT_DOUBLE_EQ(metres.metresPerUnitX, 1.0);
    const GroundScale feet = groundScale(srsFromEpsg(2263), 0, 0);
    EXPECT_NEAR(feet.metresPerUnitX, 0.3048006, 1e-6);
    const GroundScale equator = groundScale(srsFromEpsg(4326), 10, 0);
    const GroundScale north = groundScale(srsFromEpsg(4326), 10, 60);
    EXPECT_NEAR(equator.metresPerUnitX, 111319.5, 1.0);
    EXPECT_NEAR(north.metresPerUnitX, equator.metresPerUnitX / 2, 1.0);
    EXPECT_DOUBLE_EQ(north.metresPerUnitY, equator.metresPerUnitY);
    const GroundScale unknown = groundScale({}, 10, 60);
    EXPECT_DOUBLE_EQ(unknown.metresPerUnitX, 1.0);
}

TEST(SpatialReferenceTest, ProjectingABoxKeepsItsGroundAndLeavesUnknownSystemsAlone)
{
    const Srs utm = srsFromEpsg(32618), degrees = srsFromEpsg(4326);
    const Box box{500000, 4500000, 500100, 4500050};
    const auto projected = projectBox(box, utm, degrees);
    ASSERT_TRUE(projected);
    EXPECT_NEAR(projected->xMin, -75.0, 1e-3);  // x is the longitude, whatever EPSG's axis order
    EXPECT_NEAR(projected->yMin, 40.65, 1e-2);
    const auto back = projectBox(*projected, degrees, utm);
    ASSERT_TRUE(back);
    // The degrees box holds the metres box: back in metres it is a little larger.
    EXPECT_LE(back->xMin, box.xMin + 1e-6);
    EXPECT_GE(back->xMax, box.xMax - 1e-6);
    EXPECT_NEAR(back->xMax - back->xMin, 100.0, 1.0);
    EXPECT_EQ(*projectBox(box, {}, degrees), box);
    EXPECT_EQ(*projectBox(box, utm, srsFromEpsg(32618)), box);
    EXPECT_TRUE(sameSrs({}, {}));
    EXPECT_FALSE(sameSrs(utm, {}));
    EXPECT_EQ(srsLabel(degrees), "EPSG:4326 WGS 84");
}

TEST(SpatialReferenceTest, TheTransformPoolLendsOnlyWhereSystemsDiffer)
{
    TransformPool pool;
    const Srs utm = srsFromEpsg(32618), degrees = srsFromEpsg(4326);
    EXPECT_FALSE(pool.borrow(utm, utm));
    EXPECT_FALSE(pool.borrow(utm, {}));
    auto first = pool.borrow(utm, degrees);
    ASSERT_TRUE(first);
    auto second = pool.borrow(utm, degrees);  // two drawing threads at once
    ASSERT_TRUE(second);
    EXPECT_NE(first.get(), second.get());
    OGRCoordinateTransformation* kept = first.get();
    first = {};
    EXPECT_EQ(pool.borrow(utm, degrees).get(), kept);  // given back, lent again
}

TEST(SpatialReferenceTest, ShapesAndTheirEnvelopesCarryTheLayersSystem)
{
    auto map = openMap({twins().degrees});
    auto parcels = featureLayer(*map, towngen::kParcelLayer);
    ASSERT_TRUE(parcels);
    ASSERT_TRUE(parcels->table().schema().srs);
    EXPECT_TRUE(parcels->table().schema().srs->IsGeographic());
    EXPECT_TRUE(map->srs()->IsGeographic());
    auto cursor = parcels->Search({}, false);
    auto envelope = cursor->NextFeature()->Shape()->Envelope();
    envelope->Expand(1.2, 1.2, true);
    auto copy = envelope->Envelope();
    EXPECT_TRUE(sameSrs(srsOfEnvelope(*copy), parcels->table().schema().srs));
    EXPECT_TRUE(sameSrs(srsOfEnvelope(*map->Extent()), map->srs()));
}

TEST(SpatialReferenceTest, AnEnvelopeOfAnotherSystemLandsOnTheSameGroundBox)
{
    // The map is in metres (its first layer's system); the degrees town is
    // drawn over it. Zooming to a parcel of either town gives one box.
    auto map = openMap({twins().metres, twins().degrees});
    ASSERT_FALSE(map->srs()->IsGeographic());
    auto metresGroup = dynamic_cast<GroupLayer*>(map->layers()[0].get());
    auto degreesGroup = dynamic_cast<GroupLayer*>(map->layers()[1].get());
    ASSERT_TRUE(metresGroup && degreesGroup);
    auto parcelsIn = [](GroupLayer& group) {
        for (const auto& layer : group.layers())
            if (layer->Name() == towngen::kParcelLayer) return std::dynamic_pointer_cast<FeatureLayer>(layer.shared());
        return std::shared_ptr<FeatureLayer>();
    };
    auto metres = parcelsIn(*metresGroup), degrees = parcelsIn(*degreesGroup);
    ASSERT_TRUE(metres && degrees);
    for (const std::int32_t oid : {1, 17, 42}) {
        const Box fromMetres = zoomLikeTheCommand(*map, *metres, oid);
        const Box fromDegrees = zoomLikeTheCommand(*map, *degrees, oid);
        EXPECT_NEAR(fromMetres.xMin, fromDegrees.xMin, 1.0) << oid;
        EXPECT_NEAR(fromMetres.yMin, fromDegrees.yMin, 1.0) << oid;
        EXPECT_NEAR(fromMetres.xMax, fromDegrees.xMax, 1.0) << oid;
        EXPECT_NEAR(fromMetres.yMax, fromDegrees.yMax, 1.0) << oid;
    }
    // Both towns cover the same ground, so the map's full extent is one town's.
    const Box full = *map->fullExtent();
    const Box town = *metres->table().fullExtent();
    EXPECT_NEAR(full.xMin, town.xMin, 1.0);
    EXPECT_NEAR(full.yMax, town.yMax, 1.0);
}

TEST(SpatialReferenceTest, ChoosingTheMapsSystemKeepsTheGroundShown)
{
    auto map = openMap({twins().metres});
    const Box shown{500100, 4500100, 500300, 4500200};
    map->setExtentBox(shown);
    map->setSrs(srsFromEpsg(4326));
    EXPECT_TRUE(map->srsChosen());
    EXPECT_NEAR(map->extentBox().xMin, -74.9988, 1e-3);
    map->setSrs({});  // back to the first layer's
    EXPECT_FALSE(map->srsChosen());
    EXPECT_NEAR(map->extentBox().xMin, shown.xMin, 1.0);
    EXPECT_NEAR(map->extentBox().yMax, shown.yMax, 1.0);
}

TEST(SpatialReferenceTest, OnlyFeatureSearchesByIdRecordWhatTheyHandOut)
{
    auto map = openMap({twins().degrees});
    auto parcels = featureLayer(*map, towngen::kParcelLayer);
    const auto& record = *map->handOuts();
    auto byStreet = host::makeRef<host::QueryFilter>();
    byStreet->WhereClause(std::string(towngen::kStreetField) + " = 'MAIN ST'");
    parcels->Search(byStreet, true)->NextFeature();
    parcels->table().Search({}, true)->NextRow();
    EXPECT_FALSE(record.latest());

    zoomLikeTheCommand(*map, *parcels, 7);
    const auto last = record.latest();
    ASSERT_TRUE(last);
    EXPECT_EQ(last->fid, 7);
    EXPECT_EQ(last->table, &parcels->table());
    ASSERT_TRUE(last->shape);
    EXPECT_TRUE(sameSrs(last->srs, map->srs()));
    EXPECT_TRUE(last->field(towngen::kNumberTextField).has_value());
    const auto serial = last->serial;
    zoomLikeTheCommand(*map, *parcels, 8);
    EXPECT_GT(record.latest()->serial, serial);
}

} // namespace
} // namespace corvane::gdal
