#include "memory/MemoryCursor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/HostClasses.h"
#include "memory/MemoryQueryFilter.h"
#include "memory/MemoryTown.h"

namespace corvane::memory {
namespace {

using host::HostError;
using host::Ref;
using ::testing::ElementsAre;

class MemoryCursorTest : public ::testing::Test {
protected:
    Ref<host::IQueryFilter> filter(const std::string& clause)
    {
        auto made = host::createHostObject<host::IQueryFilter>(host::kQueryFilterClass);
        made->WhereClause(clause);
        return made;
    }

    MemoryHost host;
    MemoryTown town{host};
    Ref<host::ITable> table = town.parcels.DisplayTable();
};

TEST_F(MemoryCursorTest, NextRowIsEmptyAtTheEndAndStaysEmpty)
{
    auto cursor = table->Search(filter("STNAME = 'MAIN ST'"), false);
    EXPECT_EQ(cursor->NextRow()->OID(), 4);
    EXPECT_EQ(cursor->NextRow()->OID(), 5);
    EXPECT_TRUE(cursor->NextRow().isNothing());
    EXPECT_TRUE(cursor->NextRow().isNothing());
}

TEST_F(MemoryCursorTest, RecyclingReusesOneRowObject)
{
    auto recycling = table->Search(filter("STNAME = 'MAIN ST'"), true);
    auto first = recycling->NextRow();
    auto second = recycling->NextRow();
    EXPECT_TRUE(first == second);
    EXPECT_EQ(first->OID(), 5);

    auto fresh = table->Search(filter("STNAME = 'MAIN ST'"), false);
    auto a = fresh->NextRow();
    auto b = fresh->NextRow();
    EXPECT_FALSE(a == b);
    EXPECT_EQ(a->OID(), 4);
}

TEST_F(MemoryCursorTest, SearchesAreJournaledWithFilterAndRecycling)
{
    (void)table->Search(nullptr, false);
    (void)town.parcels.Search(filter("OBJECTID in (7,12)"), true);
    const auto& searches = host.journal().searches();
    ASSERT_EQ(searches.size(), 2u);
    EXPECT_EQ(searches[0].call, "ITable.Search");
    EXPECT_EQ(searches[0].source, "Parcels");
    EXPECT_FALSE(searches[0].hasFilter);
    EXPECT_FALSE(searches[0].recycling);
    EXPECT_EQ(searches[1].call, "IFeatureLayer.Search");
    EXPECT_EQ(searches[1].whereClause, "OBJECTID in (7,12)");
    EXPECT_TRUE(searches[1].recycling);
}

TEST_F(MemoryCursorTest, SearchRaisesForARejectedClause)
{
    EXPECT_THROW((void)table->Search(filter("ADDNUM = NONE"), true), HostError);
    EXPECT_THROW((void)town.parcels.Search(filter("STNAME = 12"), true), HostError);
    EXPECT_THROW((void)table->RowCount(filter("NOSUCH = 1")), HostError);
}

TEST_F(MemoryCursorTest, NamesCutShortByANulByteAreNeitherFieldsNorClauses)
{
    using namespace std::string_literals;
    EXPECT_EQ(table->FindField("ADDNUM\0x"s), -1);
    EXPECT_EQ(table->Search(nullptr, true)->FindField("STNAME\0 OR 1=1"s), -1);
    EXPECT_THROW((void)table->Search(filter("ADDNUM\0x = 1"s), true), HostError);
    EXPECT_THROW((void)table->RowCount(filter("ADDNUM = 1\0"s)), HostError);
}

TEST_F(MemoryCursorTest, ValuesReadBackAsTheirVariants)
{
    auto cursor = table->Search(filter("OBJECTID in (10,12,16)"), false);
    const std::int32_t addnum = cursor->FindField("addnum");
    const std::int32_t addtext = cursor->FindField("ADDTEXT");
    const std::int32_t saledate = cursor->FindField("SALEDATE");
    auto oak12 = cursor->NextRow();
    EXPECT_EQ(oak12->Value(addnum), host::Variant(12));
    EXPECT_EQ(oak12->Value(saledate).toText(), "1/2/2003");
    EXPECT_EQ(oak12->Value(0), host::Variant(10));
    auto oakNull = cursor->NextRow();
    EXPECT_TRUE(oakNull->Value(addnum).isNull());
    EXPECT_TRUE(oakNull->Value(addtext).isNull());
    auto pine = cursor->NextRow();
    EXPECT_EQ(pine->Value(addtext), host::Variant(""));
}

TEST_F(MemoryCursorTest, ShapeFieldValueIsATypeMismatchAndBadIndexRaises)
{
    auto row = table->Search(nullptr, true)->NextRow();
    try {
        (void)row->Value(table->FindField("SHAPE"));
        FAIL() << "a shape read as a value";
    } catch (const HostError& error) {
        EXPECT_EQ(error.number(), host::errors::kTypeMismatch);
    }
    EXPECT_THROW((void)row->Value(-1), HostError);
    EXPECT_THROW((void)row->Value(99), HostError);
}

TEST_F(MemoryCursorTest, FeatureCursorYieldsShapesWhoseEnvelopeIsACopy)
{
    auto cursor = town.parcels.Search(filter("STNAME = 'OAK AVE' AND ADDNUM = 12"), true);
    auto feature = cursor->NextFeature();
    ASSERT_FALSE(feature.isNothing());
    auto envelope = feature->Shape()->Envelope();
    envelope->Expand(1.2, 1.2, true);
    EXPECT_DOUBLE_EQ(envelope->XMin(), 940.0);
    EXPECT_DOUBLE_EQ(envelope->XMax(), 1060.0);
    EXPECT_DOUBLE_EQ(envelope->YMin(), 1970.0);
    EXPECT_DOUBLE_EQ(envelope->YMax(), 2030.0);
    auto again = feature->Shape()->Envelope();
    EXPECT_DOUBLE_EQ(again->XMin(), 950.0);
    again->Expand(5, 10, false);
    EXPECT_DOUBLE_EQ(again->XMin(), 945.0);
    EXPECT_DOUBLE_EQ(again->YMax(), 2035.0);
    EXPECT_TRUE(cursor->NextFeature().isNothing());
}

TEST_F(MemoryCursorTest, TableAndFeatureClassCanEachDenyTheirObjectIds)
{
    auto featureClass = town.parcels.FeatureClass();
    EXPECT_TRUE(table->HasOID());
    EXPECT_EQ(featureClass->OIDFieldName(), "OBJECTID");
    town.parcels.featureClass().setHasOID(false);
    EXPECT_TRUE(table->HasOID());
    EXPECT_FALSE(featureClass->HasOID());
    EXPECT_EQ(featureClass->FeatureCount(nullptr), static_cast<std::int32_t>(kTownParcels.size()));

    MemoryFeatureLayer& plain = host.map().addFeatureLayer("Plain", {{"NAME", host::esriFieldTypeString}},
                                                          LayerOptions{false, "", false, ""});
    plain.addFeature(kNoShape, {"A"});
    auto plainTable = plain.DisplayTable();
    EXPECT_FALSE(plainTable->HasOID());
    EXPECT_EQ(plainTable->OIDFieldName(), "");
    auto row = plainTable->Search(nullptr, false)->NextRow();
    EXPECT_THROW((void)row->OID(), HostError);
    EXPECT_THROW((void)row.as<host::IFeature>()->Shape(), HostError);
}

} // namespace
} // namespace corvane::memory
