#include "towngen/TownModel.h"

#include <array>
#include <set>

namespace corvane::towngen {

namespace {

constexpr std::array kSpecialNames = {"O'NEIL RD", "Main St", "MAIN ST", " ELM ST", "PRIVATE DR"};

constexpr std::array kBases = {
    "OAK", "MAPLE", "CEDAR", "PINE", "BIRCH", "WALNUT", "CHESTNUT", "WILLOW", "ASPEN", "SPRUCE",
    "HICKORY", "MAGNOLIA", "SYCAMORE", "POPLAR", "LOCUST", "CHERRY", "DOGWOOD", "HAWTHORN", "JUNIPER", "LAUREL",
    "WASHINGTON", "LINCOLN", "JEFFERSON", "MADISON", "MONROE", "JACKSON", "ADAMS", "FRANKLIN", "HAMILTON", "GRANT",
    "PARK", "LAKE", "HILL", "RIVER", "SPRING", "MEADOW", "FOREST", "SUNSET", "VALLEY", "RIDGE",
    "CHURCH", "MILL", "SCHOOL", "MARKET", "BRIDGE", "HIGH", "UNION", "CENTER", "COLLEGE", "STATION",
    "MCKINLEY", "ST JAMES", "DE LA VINA", "VAN BUREN", "MACARTHUR", "LA SALLE", "D'ARCY", "ST CLAIR", "FAIRVIEW", "GLENWOOD",
};
constexpr std::array kSuffixes = {"ST", "AVE", "RD", "LN", "DR", "CT", "BLVD", "WAY", "PL", "TER"};
constexpr std::array kPrefixes = {"", "N ", "S ", "E ", "W "};

std::string ordinal(std::uint64_t n)
{
    const std::uint64_t lastTwo = n % 100;
    const char* suffix = "TH";
    if (lastTwo < 11 || lastTwo > 13) {
        switch (n % 10) {
        case 1: suffix = "ST"; break;
        case 2: suffix = "ND"; break;
        case 3: suffix = "RD"; break;
        default: break;
        }
    }
    return std::to_string(n) + suffix;
}

} // namespace

std::uint64_t Random::next()
{
    m_state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::vector<std::string> streetNames(std::int64_t count, std::uint64_t seed)
{
    std::vector<std::string> names;
    std::set<std::string> taken;
    auto add = [&](const std::string& name) {
        if (static_cast<std::int64_t>(names.size()) < count && taken.insert(name).second) names.push_back(name);
    };
    for (const char* special : kSpecialNames) add(special);

    Random random(seed ^ 0x5EED5EEDull);
    constexpr std::uint64_t kCombinations = kBases.size() * kSuffixes.size() * kPrefixes.size();
    // Random picks give a natural mix; numbered streets fill up a large town.
    for (std::uint64_t attempt = 0; static_cast<std::int64_t>(names.size()) < count && attempt < kCombinations * 2;
         ++attempt) {
        const std::uint64_t pick = random.below(kCombinations);
        const std::string prefix = kPrefixes[pick / (kBases.size() * kSuffixes.size())];
        const std::string base = kBases[(pick / kSuffixes.size()) % kBases.size()];
        const std::string suffix = kSuffixes[pick % kSuffixes.size()];
        add(prefix + base + " " + suffix);
    }
    for (std::uint64_t n = 1; static_cast<std::int64_t>(names.size()) < count; ++n) {
        add(ordinal(n) + " " + kSuffixes[n % kSuffixes.size()]);
    }
    return names;
}

std::int64_t parcelsOnStreet(const TownSize& size, std::int64_t street)
{
    const std::int64_t base = size.parcels / size.streets;
    return base + (street < size.parcels % size.streets ? 1 : 0);
}

std::vector<Parcel> streetParcels(std::int64_t street, const std::string& name, std::int64_t parcels, Random& random)
{
    std::vector<Parcel> result;
    result.reserve(static_cast<std::size_t>(parcels));
    std::int32_t lastNumber[2] = {0, 0};
    for (std::int64_t i = 0; i < parcels; ++i) {
        Parcel parcel;
        parcel.street = street;
        parcel.streetName = name;
        if (street == kUnnumberedStreet && parcels >= 4 && i < 2) {
            parcel.streetName = i == 0 ? std::optional<std::string>() : std::optional<std::string>(std::string());
        }
        parcel.evenSide = i % 2 == 1;
        parcel.slot = i / 2;
        const int side = parcel.evenSide ? 1 : 0;
        std::int32_t number = static_cast<std::int32_t>(2 * parcel.slot + (parcel.evenSide ? 2 : 1));
        // A subdivided lot now and then keeps its neighbour's number; the
        // mixed-case Main St always has one, at number 4.
        const bool forcedDuplicate = street == kMixedCaseStreet && parcel.evenSide && parcel.slot == 2;
        if (parcel.slot > 0 && (forcedDuplicate || random.chance(400))) number = lastNumber[side];
        lastNumber[side] = number;
        parcel.number = number;
        parcel.numberText = std::to_string(number);

        if (street == kUnnumberedStreet || random.chance(500)) {
            const bool empty = street == kUnnumberedStreet ? i % 2 == 0 : random.chance(2);
            parcel.number.reset();
            if (empty) {
                parcel.numberText = std::string();
            } else {
                parcel.numberText.reset();
            }
        }
        if (street == kLeadingBlankStreet && i == 0) {
            parcel.number.reset();  // a Null number among numbered ones
            parcel.numberText.reset();
        }

        if (!random.chance(10)) {
            parcel.saleDate = Date{1950 + static_cast<int>(random.below(75)), 1 + static_cast<int>(random.below(12)),
                                   1 + static_cast<int>(random.below(28))};
        }
        if (street == kMixedCaseStreet && i == 0) parcel.saleDate = Date{2003, 1, 2};
        parcel.floors = 1 + static_cast<std::int32_t>(random.below(3));
        result.push_back(std::move(parcel));
    }
    return result;
}

} // namespace corvane::towngen
