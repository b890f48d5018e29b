#include <gtest/gtest.h>

#include "MapDataWorld.h"

namespace mapdata_test {
namespace {

using CorvaneGIS_ArcMap::LoadListWithFieldNames;

TEST(LoadListWithFieldNames, ListsEveryFieldInTableOrder)
{
    MapDataWorld w;
    w.list.AddItem("stale");
    LoadListWithFieldNames(w.list, w.town.parcels.ref());
    EXPECT_EQ(w.list.items(),
              (std::vector<std::string>{"OBJECTID", "STNAME", "ADDNUM", "ADDTEXT", "SALEDATE", "SHAPE"}));
    EXPECT_TRUE(w.prompts().empty());
}

TEST(LoadListWithFieldNames, AMissingLayerOrTableIsReportedWithTheOwnMessage)
{
    MapDataWorld w;
    w.list.AddItem("stale");
    LoadListWithFieldNames(w.list, nullptr);
    EXPECT_TRUE(w.list.items().empty());
    w.town.buildings.setDisplayTableEmpty();
    LoadListWithFieldNames(w.list, w.town.buildings.ref());
    EXPECT_EQ(w.prompts(), (std::vector<std::string>(2, "Error loading layer fields")));
}

} // namespace
} // namespace mapdata_test
