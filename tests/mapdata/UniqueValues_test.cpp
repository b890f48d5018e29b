#include <gtest/gtest.h>

#include "MapDataWorld.h"

namespace mapdata_test {
namespace {

using CorvaneGIS_ArcMap::GetCursorByQuery;
using CorvaneGIS_ArcMap::LoadListWithUniqueFieldValues;
using CorvaneGIS_ArcMap::LoadListWithUniqueFieldValuesFromCursor;
using Strings = std::vector<std::string>;

TEST(LoadListWithUniqueFieldValues, ListsDistinctValuesInFirstOccurrenceOrderWithProgress)
{
    MapDataWorld w;
    LoadListWithUniqueFieldValues("parcels", "STNAME", w.list, true, nullptr);
    EXPECT_EQ(w.list.items(), (Strings{"ELM ST", "MAIN ST", "Main St", "MAPLE AVE", "OAK AVE", "O'NEIL RD",
                                       " LEADING BLANK WAY", "PINE CT"}));
    // One step after taking the table, then one per row.
    EXPECT_EQ(w.host.progress().callLines(), (Strings{"Message Loading List: STNAME...", "StepValue 1", "Position 0",
                                                      "MaxRange 18", "Position 0", "Show", "Step x19", "Hide"}));
    const SearchRecord& search = w.host.journal().searches().back();
    EXPECT_FALSE(search.hasFilter);
    EXPECT_FALSE(search.recycling);
    EXPECT_TRUE(w.prompts().empty());
}

TEST(LoadListWithUniqueFieldValues, TheFilterNarrowsTheRowsButNotTheRange)
{
    MapDataWorld w;
    const auto filter = corvane::host::createHostObject<IQueryFilter>(kQueryFilterClass);
    filter->WhereClause("STNAME = 'ELM ST'");
    LoadListWithUniqueFieldValues("Parcels", "ADDNUM", w.list, false, filter);
    EXPECT_EQ(w.list.items(), (Strings{"2", "10", "9"}));
    EXPECT_EQ(w.host.progress().callLines(), (Strings{"Message Loading List: ADDNUM...", "StepValue 1", "Position 0",
                                                      "MaxRange 18", "Position 0", "Hide"}));
}

TEST(LoadListWithUniqueFieldValues, NullAndEmptyNeverReachTheListAndCaseCounts)
{
    MapDataWorld w;
    MemoryFeatureLayer& streets = w.host.map().addFeatureLayer("Streets", {{"NAME", esriFieldTypeString}});
    for (const Variant& v : {Variant("Oak"), Variant("Elm"), Variant("Oak"), Variant::null(), Variant(""),
                             Variant("Ash"), Variant("ash")})
        streets.addFeature(envelope(0, 0, 1, 1), {v});
    LoadListWithUniqueFieldValues("Streets", "NAME", w.list, true, nullptr);
    EXPECT_EQ(w.list.items(), (Strings{"Oak", "Elm", "Ash", "ash"}));
}

TEST(LoadListWithUniqueFieldValues, QuietReturnsLeaveTheListEmpty)
{
    MapDataWorld w;
    for (const auto& [layer, field] : {std::pair{"   ", "STNAME"}, std::pair{"Parcels", " "}}) {
        w.list.AddItem("stale");
        LoadListWithUniqueFieldValues(layer, field, w.list, true, nullptr);
        EXPECT_TRUE(w.list.items().empty());
    }
    EXPECT_TRUE(w.host.progress().calls().empty());

    LoadListWithUniqueFieldValues("Nowhere", "STNAME", w.list, true, nullptr);
    LoadListWithUniqueFieldValues("Parcels", "NOPE", w.list, true, nullptr);
    EXPECT_TRUE(w.list.items().empty());
    EXPECT_EQ(w.host.progress().callLines().back(), "Hide");
    EXPECT_FALSE(w.host.progress().visible());
    EXPECT_TRUE(w.prompts().empty());
}

TEST(LoadListWithUniqueFieldValues, AValueThatIsNoTextIsReportedAndTheProgressHidden)
{
    MapDataWorld w;
    LayerOptions options;
    options.shapeName = "GEOM";
    w.host.map().addFeatureLayer("Lots", {}, options).addFeature(envelope(0, 0, 1, 1), {});
    LoadListWithUniqueFieldValues("Lots", "GEOM", w.list, true, nullptr);
    EXPECT_FALSE(w.host.progress().visible());
    ASSERT_EQ(w.prompts().size(), 1U);
    EXPECT_EQ(moduleLine(w.prompts()[0]), "MODULE: LoadListWithUniqueFieldValues CorvaneGIS_ArcMap Line : 240");
}

TEST(UniqueValueLists, TheShapeFieldInAnyCaseIsRefusedByBoth)
{
    MapDataWorld w;
    w.list.AddItem("stale");
    LoadListWithUniqueFieldValues("Parcels", "SHAPE", w.list, true, nullptr);
    EXPECT_TRUE(w.list.items().empty());
    w.list.AddItem("stale");
    LoadListWithUniqueFieldValuesFromCursor(GetCursorByQuery("Parcels", ""), "shape", w.list);
    EXPECT_TRUE(w.list.items().empty());
    EXPECT_EQ(w.prompts(), Strings(2, "Shape field is not accessible"));
    EXPECT_TRUE(w.host.progress().calls().empty());
}

TEST(LoadListWithUniqueFieldValuesFromCursor, ListsTheCursorsDistinctValuesAndConsumesIt)
{
    MapDataWorld w;
    const Ref<ICursor> cursor = GetCursorByQuery("Parcels", "STNAME = 'ELM ST'");
    LoadListWithUniqueFieldValuesFromCursor(cursor, "ADDNUM", w.list);
    EXPECT_EQ(w.list.items(), (Strings{"2", "10", "9"}));
    EXPECT_TRUE(cursor->NextRow().isNothing());
    for (const char* field : {"ADDNUM", "ADDTEXT"}) {
        LoadListWithUniqueFieldValuesFromCursor(GetCursorByQuery("Parcels", "STNAME = 'PINE CT'"), field, w.list);
        EXPECT_TRUE(w.list.items().empty()) << field;
    }
    EXPECT_TRUE(w.prompts().empty());
}

TEST(LoadListWithUniqueFieldValuesFromCursor, NoRowsNoFieldOrNoCursor)
{
    MapDataWorld w;
    LoadListWithUniqueFieldValuesFromCursor(GetCursorByQuery("Parcels", "STNAME = 'NOWHERE'"), "ADDNUM", w.list);
    EXPECT_EQ(w.list.items(), Strings{"NONE"});
    LoadListWithUniqueFieldValuesFromCursor(GetCursorByQuery("Parcels", ""), "NOPE", w.list);
    EXPECT_TRUE(w.list.items().empty());
    w.list.AddItem("stale");
    LoadListWithUniqueFieldValuesFromCursor(nullptr, "ADDNUM", w.list);
    EXPECT_TRUE(w.list.items().empty());
    EXPECT_EQ(w.prompts(), Strings{"Can't find field: NOPE"});
}

} // namespace
} // namespace mapdata_test
