#pragma once
// The synthetic town, as plain data: street names and the parcels along
// each street with their attributes. Deterministic for a given size and
// seed, on every platform (its own random numbers, no std distributions).
// The first streets carry the awkward cases on purpose: a name with an
// apostrophe, two names that differ only in letter case, a name with a
// leading blank, and a street whose parcels have no numbers at all.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::towngen {

struct TownSize {
    std::int64_t parcels = 3000;
    std::int64_t streets = 40;
    std::uint64_t seed = 1;
};

struct Date {
    int year = 0, month = 0, day = 0;
};

struct Parcel {
    std::int64_t street = 0;        // index into the street names
    std::optional<std::string> streetName;  // normally the street's name; Null or empty in a few rows
    std::optional<std::int32_t> number;     // Null for missing and empty numbers
    std::optional<std::string> numberText;  // the same number as text; "" for an empty number
    std::optional<Date> saleDate;
    std::int32_t floors = 1;
    bool evenSide = false;
    std::int64_t slot = 0;          // position along its side of the street
};

// Splitmix64: small, fast, and the same sequence everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next();
    // 0 <= value < bound
    std::uint64_t below(std::uint64_t bound) { return next() % bound; }
    bool chance(std::uint64_t oneIn) { return below(oneIn) == 0; }

private:
    std::uint64_t m_state;
};

// `count` distinct street names; the special ones first.
std::vector<std::string> streetNames(std::int64_t count, std::uint64_t seed);

// Parcels of one street, numbered 1, 3, 5... on the odd side and 2, 4, 6...
// on the even side. `parcels` is how many the street gets.
// The unnumbered street's first two parcels have a Null and an empty street name.
std::vector<Parcel> streetParcels(std::int64_t street, const std::string& name, std::int64_t parcels, Random& random);

// How many parcels street `street` gets when `total` are spread over `streets`.
std::int64_t parcelsOnStreet(const TownSize& size, std::int64_t street);

inline constexpr std::int64_t kApostropheStreet = 0;  // O'NEIL RD
inline constexpr std::int64_t kMixedCaseStreet = 1;   // Main St
inline constexpr std::int64_t kUpperCaseStreet = 2;   // MAIN ST
inline constexpr std::int64_t kLeadingBlankStreet = 3;
inline constexpr std::int64_t kUnnumberedStreet = 4;
inline constexpr std::int64_t kSpecialStreets = 5;

} // namespace corvane::towngen
