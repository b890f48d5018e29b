#include <gtest/gtest.h>

#include "MapDataWorld.h"

namespace mapdata_test {
namespace {

using CorvaneGIS_ArcMap::GetCursorByQuery;
using CorvaneGIS_ArcMap::GetFeatureCursorByQuery;

std::vector<std::int32_t> oids(const Ref<ICursor>& cursor)
{
    std::vector<std::int32_t> found;
    for (Ref<IRow> row = cursor->NextRow(); row; row = cursor->NextRow()) found.push_back(row->OID());
    return found;
}

TEST(GetCursorByQuery, SearchesTheLayerTableWithTheClauseUnchanged)
{
    MapDataWorld w;
    const Ref<ICursor> cursor = GetCursorByQuery("PARCELS", "STNAME = 'O''NEIL RD'");
    EXPECT_EQ(oids(cursor), (std::vector<std::int32_t>{13, 14}));
    const SearchRecord& search = w.host.journal().searches().back();
    EXPECT_EQ(search.call, "ITable.Search");
    EXPECT_EQ(search.whereClause, "STNAME = 'O''NEIL RD'");
    EXPECT_TRUE(search.recycling);

    EXPECT_TRUE(GetCursorByQuery("Nowhere", "STNAME = 'OAK AVE'").isNothing());
    EXPECT_TRUE(w.prompts().empty());
}

TEST(GetCursorByQuery, AClauseTheHostRejectsIsReported)
{
    MapDataWorld w;
    EXPECT_TRUE(GetCursorByQuery("Parcels", "ADDNUM = NONE").isNothing());
    ASSERT_EQ(w.prompts().size(), 1U);
    EXPECT_EQ(moduleLine(w.prompts()[0]), "MODULE: GetCursorByQuery CorvaneGIS_ArcMap Line : 50");
}

TEST(GetFeatureCursorByQuery, FetchesTheMatchingFeaturesThroughTheirObjectIds)
{
    MapDataWorld w;
    const Ref<IFeatureCursor> cursor =
        GetFeatureCursorByQuery(w.town.parcels.ref(), "STNAME = 'MAPLE AVE' AND ADDNUM = 5");
    const SearchRecord& search = w.host.journal().searches().back();
    EXPECT_EQ(search.call, "IFeatureLayer.Search");
    EXPECT_EQ(search.whereClause, "OBJECTID in (7,8)");
    EXPECT_TRUE(search.recycling);
    EXPECT_EQ(cursor->NextFeature()->OID(), 7);
    EXPECT_EQ(cursor->NextFeature()->OID(), 8);
    EXPECT_TRUE(cursor->NextFeature().isNothing());
    EXPECT_TRUE(w.prompts().empty());
}

TEST(GetFeatureCursorByQuery, NoRowNoLayerOrNoTableGiveAnEmptyCursorSilently)
{
    MapDataWorld w;
    EXPECT_TRUE(GetFeatureCursorByQuery(w.town.parcels.ref(), "STNAME = 'NOWHERE'").isNothing());
    EXPECT_EQ(w.host.journal().searches().size(), 1U);
    EXPECT_TRUE(GetFeatureCursorByQuery(nullptr, "STNAME = 'OAK AVE'").isNothing());
    w.town.parcels.setDisplayTableEmpty();
    EXPECT_TRUE(GetFeatureCursorByQuery(w.town.parcels.ref(), "STNAME = 'OAK AVE'").isNothing());
    EXPECT_TRUE(w.prompts().empty());
}

TEST(GetFeatureCursorByQuery, ObjectIdsMissingOnEitherSideAreTold)
{
    MapDataWorld w;
    w.town.parcels.featureClass().setHasOID(false);
    EXPECT_TRUE(GetFeatureCursorByQuery(w.town.parcels.ref(), "STNAME = 'OAK AVE'").isNothing());
    w.town.parcels.table().setHasOID(false);
    EXPECT_TRUE(GetFeatureCursorByQuery(w.town.parcels.ref(), "STNAME = 'OAK AVE'").isNothing());
    EXPECT_EQ(w.prompts(), (std::vector<std::string>{"FeatureClass must have OID field.", "Table must have OID field."}));
}

} // namespace
} // namespace mapdata_test
