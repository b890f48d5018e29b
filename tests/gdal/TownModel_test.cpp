#include "towngen/TownModel.h"

#include <gtest/gtest.h>

#include <set>

namespace corvane::towngen {
namespace {

TEST(TownModelTest, StreetNamesAreDistinctAndStartWithTheAwkwardOnes)
{
    const auto names = streetNames(5000, 1);
    ASSERT_EQ(names.size(), 5000u);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    EXPECT_EQ(names[kApostropheStreet], "O'NEIL RD");
    EXPECT_EQ(names[kMixedCaseStreet], "Main St");
    EXPECT_EQ(names[kUpperCaseStreet], "MAIN ST");
    EXPECT_EQ(names[kLeadingBlankStreet], " ELM ST");
    EXPECT_EQ(streetNames(3, 1), (std::vector<std::string>{"O'NEIL RD", "Main St", "MAIN ST"}));
}

TEST(TownModelTest, SameSeedSameTownOtherSeedOtherTown)
{
    EXPECT_EQ(streetNames(50, 7), streetNames(50, 7));
    EXPECT_NE(streetNames(50, 7), streetNames(50, 8));
    Random a(7), b(7);
    const auto first = streetParcels(9, "OAK ST", 40, a);
    const auto again = streetParcels(9, "OAK ST", 40, b);
    ASSERT_EQ(first.size(), again.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].number, again[i].number);
        EXPECT_EQ(first[i].floors, again[i].floors);
    }
}

TEST(TownModelTest, MainStHasSmallNumbersAndADuplicate)
{
    Random random(1);
    const auto parcels = streetParcels(kMixedCaseStreet, "Main St", 15, random);
    std::multiset<std::int32_t> numbers;
    for (const auto& parcel : parcels) {
        if (parcel.number) numbers.insert(*parcel.number);
        EXPECT_EQ(parcel.streetName, std::optional<std::string>("Main St"));
    }
    EXPECT_EQ(numbers.count(2), 1u);
    EXPECT_EQ(numbers.count(9), 1u);
    EXPECT_EQ(numbers.count(10), 1u);
    EXPECT_EQ(numbers.count(4), 2u);
}

TEST(TownModelTest, TheUnnumberedStreetHasNoNumbersAndNamelessParcels)
{
    Random random(1);
    const auto parcels = streetParcels(kUnnumberedStreet, "PRIVATE DR", 10, random);
    EXPECT_FALSE(parcels[0].streetName);
    EXPECT_EQ(parcels[1].streetName, std::optional<std::string>(""));
    for (const auto& parcel : parcels) {
        EXPECT_FALSE(parcel.number);
        EXPECT_TRUE(!parcel.numberText || parcel.numberText->empty());
    }
}

TEST(TownModelTest, ParcelsSpreadOverStreetsAddUp)
{
    const TownSize size{1003, 10, 1};
    std::int64_t total = 0;
    for (std::int64_t street = 0; street < size.streets; ++street) total += parcelsOnStreet(size, street);
    EXPECT_EQ(total, 1003);
}

} // namespace
} // namespace corvane::towngen
