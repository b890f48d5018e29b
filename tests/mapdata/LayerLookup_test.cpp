#include <gtest/gtest.h>

#include "MapDataWorld.h"

namespace mapdata_test {
namespace {

using CorvaneGIS_ArcMap::GetFeatureLayerByName;
using CorvaneGIS_ArcMap::LoadListWithLayerNames;

TEST(GetFeatureLayerByName, SeesTopLevelAndOneGroupDeepIgnoringCaseAndWholeNamesOnly)
{
    MapDataWorld w;
    EXPECT_EQ(GetFeatureLayerByName("pArCeLs"), w.town.parcels.ref());
    EXPECT_EQ(GetFeatureLayerByName("BUILDINGS"), w.town.buildings.ref());
    // Two groups deep, a group itself, a raster, a prefix: none is a candidate.
    for (const char* name : {"Hydrants", "Town", "Orthophoto", "Parcel", ""})
        EXPECT_TRUE(GetFeatureLayerByName(name).isNothing()) << name;
    // A configured name cut short by a NUL byte is no layer name.
    EXPECT_TRUE(GetFeatureLayerByName(std::string("Parcels\0x", 9)).isNothing());
    EXPECT_TRUE(w.prompts().empty());
}

TEST(GetFeatureLayerByName, TheLastMatchInWalkOrderWins)
{
    MapDataWorld w;
    // "Buildings" sits in the group at index 1; a later top-level layer beats it.
    MemoryFeatureLayer& later = w.host.map().addFeatureLayer("buildings", {});
    EXPECT_EQ(GetFeatureLayerByName("Buildings"), later.ref());
    // "Parcels" sits at index 0; a match inside a later group beats it.
    MemoryFeatureLayer& grouped = w.town.town.addFeatureLayer("PARCELS", {});
    EXPECT_EQ(GetFeatureLayerByName("parcels"), grouped.ref());
}

TEST(GetFeatureLayerByName, AMissingFocusMapShowsTheLookupsOwnMessage)
{
    MapDataWorld w;
    w.host.document().setFocusMap(nullptr);
    EXPECT_TRUE(GetFeatureLayerByName("Parcels").isNothing());
    w.list.AddItem("stale");
    LoadListWithLayerNames(w.list);
    EXPECT_TRUE(w.list.items().empty());
    EXPECT_EQ(w.prompts(), (std::vector<std::string>{"Error: Could not find layer Parcels", "Error loading map layers"}));
}

TEST(LoadListWithLayerNames, ListsEveryCandidateInWalkOrderDuplicatesIncluded)
{
    MapDataWorld w;
    w.host.map().addFeatureLayer("Parcels", {});
    w.list.AddItem("stale");
    LoadListWithLayerNames(w.list);
    EXPECT_EQ(w.list.items(), (std::vector<std::string>{"Parcels", "Buildings", "Parcels"}));

    w.host.openDocument();
    CorvaneGIS_Public::HostDocument = Ref<IMxDocument>(w.host.app().document());
    LoadListWithLayerNames(w.list);
    EXPECT_TRUE(w.list.items().empty());
    EXPECT_TRUE(GetFeatureLayerByName("Parcels").isNothing());
    EXPECT_TRUE(w.prompts().empty());
}

} // namespace
} // namespace mapdata_test
