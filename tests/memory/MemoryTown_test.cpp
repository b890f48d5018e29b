#include "memory/MemoryTown.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

namespace corvane::memory {
namespace {

TEST(MemoryTownTest, ParcelTableHoldsTheListedParcels)
{
    MemoryHost host;
    MemoryTown town(host);
    const TableData& data = town.parcels.data();
    ASSERT_EQ(data.rowCount(), kTownParcels.size());
    const std::int32_t stname = data.findField("STNAME");
    const std::int32_t addnum = data.findField("ADDNUM");
    const std::int32_t addtext = data.findField("ADDTEXT");
    for (std::size_t row = 0; row < data.rowCount(); ++row) {
        const TownParcel& parcel = kTownParcels[row];
        EXPECT_EQ(data.oid(row), parcel.oid);
        EXPECT_EQ(data.value(row, stname), host::Variant(parcel.street));
        EXPECT_EQ(data.value(row, addnum).isNull(), !parcel.number) << parcel.oid;
        EXPECT_EQ(data.value(row, addtext).isNull(), parcel.numberText == nullptr) << parcel.oid;
        EXPECT_EQ(data.shape(row), parcel.shape());
    }
    EXPECT_EQ(data.fieldCount(), 6);
    EXPECT_EQ(data.column(0).fieldType(), host::esriFieldTypeOID);
    EXPECT_EQ(data.column(5).fieldType(), host::esriFieldTypeGeometry);
}

TEST(MemoryTownTest, RejectedRowLeavesTheTableUnchanged)
{
    MemoryHost host;
    MemoryFeatureLayer& layer = host.map().addFeatureLayer(
        "T", {{"NAME", host::esriFieldTypeString}, {"N", host::esriFieldTypeSmallInteger}});
    EXPECT_THROW(layer.addFeature(envelope(0, 0, 1, 1), {"A"}), std::invalid_argument);
    EXPECT_THROW(layer.addFeature(envelope(0, 0, 1, 1), {"A", "not a number"}), std::invalid_argument);
    EXPECT_THROW(layer.addFeature(envelope(0, 0, 1, 1), {"A", 40000}), std::invalid_argument);
    EXPECT_EQ(layer.data().rowCount(), 0u);
    EXPECT_EQ(layer.addFeature(envelope(0, 0, 1, 1), {"A", 1}), 1);
    EXPECT_EQ(layer.data().value(0, 2), host::Variant(1));
}

TEST(MemoryTownTest, SyntheticStreetNamesStayDistinctPastFiveThousand)
{
    MemoryHost host;
    MemoryFeatureLayer& parcels = makeSyntheticParcels(host.map(), 24'000, 12'000);
    const TableData& data = parcels.data();
    ASSERT_EQ(data.rowCount(), 24'000u);
    std::set<std::string> streets;
    for (std::size_t row = 0; row < data.rowCount(); ++row) streets.insert(data.value(row, 1).toText());
    EXPECT_EQ(streets.size(), 12'000u);
    EXPECT_EQ(data.oid(23'999), 24'000);
}

} // namespace
} // namespace corvane::memory
