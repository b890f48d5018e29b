#include "memory/MemoryTown.h"

namespace corvane::memory {

namespace {

using host::esriFieldTypeDate;
using host::esriFieldTypeInteger;
using host::esriFieldTypeString;

MemoryFeatureLayer& buildParcels(MemoryMap& map)
{
    MemoryFeatureLayer& parcels = map.addFeatureLayer("Parcels", parcelFields());
    for (const TownParcel& parcel : kTownParcels) {
        parcels.addFeature(parcel.shape(),
                           {parcel.street,
                            parcel.number ? host::Variant(*parcel.number) : host::Variant::null(),
                            parcel.numberText != nullptr ? host::Variant(parcel.numberText) : host::Variant::null(),
                            parcel.saleDate ? host::Variant(*parcel.saleDate) : host::Variant::null()});
    }
    return parcels;
}

MemoryFeatureLayer& buildBuildings(MemoryGroupLayer& town)
{
    MemoryFeatureLayer& buildings =
        town.addFeatureLayer("Buildings", {{"BLDGNAME", esriFieldTypeString}, {"FLOORS", esriFieldTypeInteger}});
    buildings.addFeature(envelope(980, 1990, 1020, 2010), {"TOWN HALL", 3});
    buildings.addFeature(envelope(80, 90, 120, 110), {"LIBRARY", 2});
    buildings.addFeature(envelope(180, 590, 220, 610), {"FIRE STATION", host::Variant::null()});
    return buildings;
}

MemoryFeatureLayer& buildHydrants(MemoryGroupLayer& utilities)
{
    MemoryFeatureLayer& hydrants = utilities.addFeatureLayer("Hydrants", {{"HYDRANTID", esriFieldTypeString}});
    hydrants.addFeature(envelope(150, 150, 150, 150), {"H-1"});
    hydrants.addFeature(envelope(1050, 2050, 1050, 2050), {"H-2"});
    return hydrants;
}

} // namespace

std::vector<FieldSpec> parcelFields()
{
    return {{"STNAME", esriFieldTypeString},
            {"ADDNUM", esriFieldTypeInteger},
            {"ADDTEXT", esriFieldTypeString},
            {"SALEDATE", esriFieldTypeDate}};
}

MemoryTown::MemoryTown(MemoryHost& host)
    : parcels(buildParcels(host.map())), town(host.map().addGroupLayer("Town")), buildings(buildBuildings(town)),
      utilities(town.addGroupLayer("Utilities")), hydrants(buildHydrants(utilities)),
      orthophoto((town.addOtherLayer("Contours"), host.map().addOtherLayer("Orthophoto")))
{
}

} // namespace corvane::memory
