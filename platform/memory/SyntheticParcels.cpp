#include <array>
#include <string>

#include "memory/MemoryTown.h"

namespace corvane::memory {

namespace {

constexpr std::array<const char*, 50> kBases{
    "ASH",    "BIRCH",  "CEDAR",  "DOGWOOD", "ELM",     "FIR",    "GROVE", "HAZEL",  "IVY",    "JUNIPER",
    "KING",   "LAUREL", "MAPLE",  "NORTH",   "OAK",     "PINE",   "QUINCE", "RIVER", "SPRUCE", "TULIP",
    "UNION",  "VALLEY", "WALNUT", "WILLOW",  "YEW",     "ALDER",  "BAY",   "CHERRY", "DALE",   "EAGLE",
    "FOREST", "GARDEN", "HILL",   "IRON",    "JACKSON", "KNOLL",  "LAKE",  "MILL",   "NEWTON", "ORCHARD",
    "PARK",   "QUARRY", "RIDGE",  "SUMMIT",  "TOWER",   "UPLAND", "VINE",  "WATER",  "YORK",   "ZION"};
constexpr std::array<const char*, 10> kSuffixes{"ST", "AVE", "RD", "LN", "DR", "CT", "WAY", "PL", "BLVD", "CIR"};
constexpr std::array<const char*, 10> kPrefixes{"", "N ", "S ", "E ", "W ", "OLD ", "NEW ", "UPPER ", "LOWER ", "FAR "};

std::string streetName(std::int32_t index)
{
    const auto i = static_cast<std::size_t>(index);
    std::string name = kPrefixes[(i / 500) % kPrefixes.size()];
    name += kBases[i % kBases.size()];
    if (const std::size_t cycle = i / 5000; cycle > 0) {
        name += ' ';
        name += std::to_string(cycle + 1);
    }
    name += ' ';
    name += kSuffixes[(i / 50) % kSuffixes.size()];
    return name;
}

} // namespace

MemoryFeatureLayer& makeSyntheticParcels(MemoryMap& map, std::int32_t parcelCount, std::int32_t streetCount)
{
    MemoryFeatureLayer& parcels = map.addFeatureLayer("Parcels", parcelFields());
    if (streetCount < 1) streetCount = 1;
    std::vector<std::string> streets;
    streets.reserve(static_cast<std::size_t>(streetCount));
    for (std::int32_t s = 0; s < streetCount; ++s) streets.push_back(streetName(s));
    parcels.data().reserve(static_cast<std::size_t>(parcelCount));
    std::vector<host::Variant> values(4);
    for (std::int32_t p = 0; p < parcelCount; ++p) {
        // Streets interleave, as parcels of a real layer rarely come sorted by street.
        const std::int32_t number = (p / streetCount) * 2 + 1;
        values[0] = host::Variant(streets[static_cast<std::size_t>(p % streetCount)]);
        values[1] = p % 97 == 96 ? host::Variant::null() : host::Variant(number);
        values[2] = p % 101 == 100 ? host::Variant("") : host::Variant(std::to_string(number));
        values[3] = p % 13 == 12 ? host::Variant::null()
                                 : host::Variant(host::DateTime{1990 + p % 30, 1 + p % 12, 1 + p % 28});
        const double x = static_cast<double>(p % 1000) * 100.0;
        const double y = static_cast<double>(p / 1000) * 50.0;
        parcels.addFeature(Box{x, y, x + 100.0, y + 50.0}, values);
    }
    return parcels;
}

} // namespace corvane::memory
