#include <gtest/gtest.h>

#include "MapDataWorld.h"

namespace mapdata_test {
namespace {

using CorvaneGIS_ArcMap::EscapeSingleQuotes;
using CorvaneGIS_ArcMap::FormatQueryValue;
using CorvaneGIS_ArcMap::GetFieldType;

TEST(EscapeSingleQuotes, DoublesEveryQuoteAndNothingElse)
{
    EXPECT_EQ(EscapeSingleQuotes("O'Brien's"), "O''Brien''s");
    EXPECT_EQ(EscapeSingleQuotes("''"), "''''");
    EXPECT_EQ(EscapeSingleQuotes(" MAIN ST #1 \"x\""), " MAIN ST #1 \"x\"");
}

TEST(GetFieldType, GivesTheHostCodeOrZeroWhenNothingIsFound)
{
    MapDataWorld w;
    EXPECT_EQ(GetFieldType("parcels", "stname"), esriFieldTypeString);
    EXPECT_EQ(GetFieldType("Parcels", "SALEDATE"), esriFieldTypeDate);
    EXPECT_EQ(GetFieldType("Parcels", "ADDNUM"), esriFieldTypeInteger);
    EXPECT_EQ(GetFieldType("Parcels", "NOPE"), 0);
    EXPECT_EQ(GetFieldType("Nowhere", "STNAME"), 0);
    EXPECT_TRUE(w.prompts().empty());
}

TEST(FormatQueryValue, DelimitsByFieldTypeAfterEscaping)
{
    MapDataWorld w;
    EXPECT_EQ(FormatQueryValue("Parcels", "STNAME", "MAIN ST"), "'MAIN ST'");
    EXPECT_EQ(FormatQueryValue("Parcels", "STNAME", "O'NEIL RD"), "'O''NEIL RD'");
    EXPECT_EQ(FormatQueryValue("Parcels", "SALEDATE", "1/2/2003"), "#1/2/2003#");
    EXPECT_EQ(FormatQueryValue("Parcels", "ADDNUM", "120"), "120");
    EXPECT_EQ(FormatQueryValue("Parcels", "NOPE", "O'NEIL"), "O''NEIL");
    EXPECT_TRUE(w.prompts().empty());
}

TEST(FormatQueryValue, ALayerWithoutTableIsReportedByEachTypeLookup)
{
    MapDataWorld w;
    w.town.parcels.setDisplayTableEmpty();
    EXPECT_EQ(FormatQueryValue("Parcels", "STNAME", "OAK AVE"), "OAK AVE");
    const auto prompts = w.prompts();
    ASSERT_EQ(prompts.size(), 2U);
    for (const auto& prompt : prompts) EXPECT_EQ(moduleLine(prompt), "MODULE: GetFieldType CorvaneGIS_ArcMap Line : 40");
}

TEST(FormatQueryValue, AFailedLayerLookUpGivesNoLiteral)
{
    MapDataWorld w;
    w.host.faults().failCalls("IMap.LayerCount");
    EXPECT_EQ(FormatQueryValue("Parcels", "STNAME", "MAIN ST"), "");
    EXPECT_EQ(w.prompts().size(), 1U);
    w.host.faults().failCalls("IMap.LayerCount");
    EXPECT_EQ(GetFieldType("Parcels", "STNAME"), 0);
}

} // namespace
} // namespace mapdata_test
