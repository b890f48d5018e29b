#pragma once
// A small, fixed parcel town for tests. Layers of its focus map, in order:
//
//   0 "Parcels"      feature layer (kTownParcels below)
//   1 "Town"         group layer:
//        0 "Buildings"  feature layer (OBJECTID, BLDGNAME string, FLOORS integer, SHAPE)
//        1 "Utilities"  group layer:
//             0 "Hydrants"  feature layer two groups deep (OBJECTID, HYDRANTID string, SHAPE)
//        2 "Contours"   other layer
//   2 "Orthophoto"   other layer (a raster)
//
// Parcels fields, in order: OBJECTID (OID), STNAME (string), ADDNUM
// (integer), ADDTEXT (string: the number as text), SALEDATE (date), SHAPE.
// Every parcel is a 100 by 50 rectangle; OBJECTID counts from 1 in the
// order of kTownParcels.

#include <array>
#include <cstdint>
#include <optional>

#include "host/Variant.h"
#include "memory/Box.h"
#include "memory/MemoryHost.h"

namespace corvane::memory {

struct TownParcel {
    std::int32_t oid;
    const char* street;
    std::optional<std::int32_t> number; // nullopt: ADDNUM is Null
    const char* numberText;             // nullptr: ADDTEXT is Null
    std::optional<host::DateTime> saleDate;
    double centerX, centerY;

    [[nodiscard]] Box shape() const noexcept { return Box{centerX - 50.0, centerY - 25.0, centerX + 50.0, centerY + 25.0}; }
};

// Streets: ELM ST with 2, 9, 10 (text order 10, 2, 9); MAIN ST and "Main St"
// (differ only in case); MAPLE AVE with 5 twice (the same street and number);
// OAK AVE 12 centred at (1000, 2000), 14, and one Null number; O'NEIL RD
// (apostrophe); " LEADING BLANK WAY" (leading blank); PINE CT, whose rows
// have only Null or empty numbers.
inline constexpr std::array<TownParcel, 18> kTownParcels{{
    {1, "ELM ST", 2, "2", host::DateTime{2001, 3, 14}, 100, 100},
    {2, "ELM ST", 10, "10", host::DateTime{2003, 1, 2}, 300, 100},
    {3, "ELM ST", 9, "9", std::nullopt, 200, 100},
    {4, "MAIN ST", 100, "100", host::DateTime{1999, 12, 31}, 100, 300},
    {5, "MAIN ST", 102, "102", host::DateTime{2010, 7, 4}, 200, 300},
    {6, "Main St", 100, "100", host::DateTime{2015, 5, 20}, 100, 400},
    {7, "MAPLE AVE", 5, "5", host::DateTime{2005, 6, 1}, 100, 600},
    {8, "MAPLE AVE", 5, "5", host::DateTime{2006, 6, 1}, 200, 600},
    {9, "MAPLE AVE", 7, "7", std::nullopt, 300, 600},
    {10, "OAK AVE", 12, "12", host::DateTime{2003, 1, 2}, 1000, 2000},
    {11, "OAK AVE", 14, "14", host::DateTime{2012, 2, 29}, 1100, 2000},
    {12, "OAK AVE", std::nullopt, nullptr, std::nullopt, 1200, 2000},
    {13, "O'NEIL RD", 7, "7", host::DateTime{2020, 10, 10}, 100, 800},
    {14, "O'NEIL RD", 21, "21", std::nullopt, 200, 800},
    {15, " LEADING BLANK WAY", 1, "1", host::DateTime{2000, 1, 1}, 100, 1000},
    {16, "PINE CT", std::nullopt, "", std::nullopt, 100, 1200},
    {17, "PINE CT", std::nullopt, nullptr, std::nullopt, 200, 1200},
    {18, "ELM ST", 2, "2", host::DateTime{2002, 2, 2}, 400, 100},
}};

struct MemoryTown {
    // Builds the town into the host's focus map.
    explicit MemoryTown(MemoryHost& host);

    MemoryFeatureLayer& parcels;
    MemoryGroupLayer& town;
    MemoryFeatureLayer& buildings;
    MemoryGroupLayer& utilities;
    MemoryFeatureLayer& hydrants;
    MemoryOtherLayer& orthophoto;
};

// The Parcels fields after OBJECTID and before SHAPE.
[[nodiscard]] std::vector<FieldSpec> parcelFields();

// A deterministic "Parcels" layer with the town's fields, added to `map`:
// `parcelCount` parcels spread over `streetCount` distinct street names, in
// a grid of 100 by 50 rectangles. For benchmarks up to a million parcels.
MemoryFeatureLayer& makeSyntheticParcels(MemoryMap& map, std::int32_t parcelCount, std::int32_t streetCount);

} // namespace corvane::memory
