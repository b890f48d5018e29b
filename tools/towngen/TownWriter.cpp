#include "towngen/TownWriter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

namespace corvane::towngen {

namespace {

constexpr double kStreetSpacing = 100.0;
constexpr double kParcelWidth = 20.0;
constexpr double kRoadHalfWidth = 6.0;

[[noreturn]] void fail(const std::string& what)
{
    std::string message = what;
    if (CPLGetLastErrorType() >= CE_Failure) message += ": " + std::string(CPLGetLastErrorMsg());
    throw TownError(message);
}

void check(OGRErr result, const std::string& what)
{
    if (result != OGRERR_NONE) fail(what);
}

struct Town {
    GDALDataset& dataset;
    Format format;
    OGRSpatialReference* srs;
    double originX;
    double originY;
    // From the grid the town is laid out on to the file's system; null
    // when they are the same.
    OGRCoordinateTransformation* toFile = nullptr;
};

OGRLayer& createLayer(Town& town, const std::string& name, OGRwkbGeometryType type)
{
    CPLStringList options;
    if (town.format == Format::GeoPackage) {
        options.SetNameValue("FID", kOidField);
        if (type != wkbNone) options.SetNameValue("GEOMETRY_NAME", "Shape");
    } else {
        options.SetNameValue("ENCODING", "UTF-8");
    }
    // Shapefiles cannot spell groups: keep the last part of the name.
    std::string layerName = name;
    if (town.format == Format::Shapefile) layerName = name.substr(name.rfind('/') + 1);
    CPLErrorReset();
    OGRLayer* layer = town.dataset.CreateLayer(layerName.c_str(), type == wkbNone ? nullptr : town.srs, type,
                                               options.List());
    if (layer == nullptr) fail("Cannot create layer " + layerName);
    return *layer;
}

void addField(OGRLayer& layer, const char* name, OGRFieldType type, int width = 0,
              OGRFieldSubType subType = OFSTNone)
{
    OGRFieldDefn field(name, type);
    field.SetSubType(subType);
    if (width > 0) field.SetWidth(width);
    check(layer.CreateField(&field), std::string("Cannot create field ") + name);
}

std::unique_ptr<OGRGeometry> box(double x0, double y0, double x1, double y1)
{
    auto ring = std::make_unique<OGRLinearRing>();
    ring->addPoint(x0, y0);
    ring->addPoint(x1, y0);
    ring->addPoint(x1, y1);
    ring->addPoint(x0, y1);
    ring->addPoint(x0, y0);
    auto polygon = std::make_unique<OGRPolygon>();
    polygon->addRingDirectly(ring.release());
    return polygon;
}

void create(const Town& town, OGRLayer& layer, OGRFeature& feature)
{
    feature.SetFID(OGRNullFID);
    if (OGRGeometry* shape = feature.GetGeometryRef(); shape != nullptr && town.toFile != nullptr) {
        check(shape->transform(town.toFile), "Cannot transform a shape of " + std::string(layer.GetName()));
    }
    check(layer.CreateFeature(&feature), std::string("Cannot write to ") + layer.GetName());
}

void writeParcels(Town& town, const TownSize& size, const std::vector<std::string>& names)
{
    OGRLayer& layer = createLayer(town, kParcelLayer, wkbPolygon);
    addField(layer, "PARCEL_ID", OFTString, 12);
    addField(layer, kStreetField, OFTString, 40);
    addField(layer, kNumberField, OFTInteger);
    addField(layer, kNumberTextField, OFTString, 10);
    addField(layer, kDateField, OFTDate);
    addField(layer, "FLOORS", OFTInteger, 0, OFSTInt16);
    addField(layer, "AREA", OFTReal);
    OGRFeature feature(layer.GetLayerDefn());
    Random random(size.seed);
    std::int64_t id = 0;
    for (std::int64_t street = 0; street < size.streets; ++street) {
        const auto parcels = streetParcels(street, names[static_cast<std::size_t>(street)],
                                           parcelsOnStreet(size, street), random);
        for (const Parcel& parcel : parcels) {
            ++id;
            char parcelId[32];
            std::snprintf(parcelId, sizeof parcelId, "P%07lld", static_cast<long long>(id));
            feature.SetField(0, parcelId);
            if (parcel.streetName) feature.SetField(1, parcel.streetName->c_str()); else feature.SetFieldNull(1);
            if (parcel.number) feature.SetField(2, *parcel.number); else feature.SetFieldNull(2);
            if (parcel.numberText) feature.SetField(3, parcel.numberText->c_str()); else feature.SetFieldNull(3);
            if (parcel.saleDate) {
                feature.SetField(4, parcel.saleDate->year, parcel.saleDate->month, parcel.saleDate->day);
            } else {
                feature.SetFieldNull(4);
            }
            feature.SetField(5, parcel.floors);
            const double depth = 30.0 + static_cast<double>(random.below(11));
            const double x0 = town.originX + static_cast<double>(parcel.slot) * kParcelWidth;
            const double y = town.originY + static_cast<double>(street) * kStreetSpacing;
            const double near = parcel.evenSide ? y - kRoadHalfWidth : y + kRoadHalfWidth;
            const double far = parcel.evenSide ? near - depth : near + depth;
            feature.SetField(6, depth * (kParcelWidth - 1.0));
            feature.SetGeometryDirectly(box(x0 + 0.5, std::min(near, far), x0 + kParcelWidth - 0.5, std::max(near, far)).release());
            create(town, layer, feature);
        }
    }
}

void writeStreets(Town& town, const TownSize& size, const std::vector<std::string>& names)
{
    OGRLayer& layer = createLayer(town, "Streets", wkbLineString);
    addField(layer, kStreetField, OFTString, 40);
    OGRFeature feature(layer.GetLayerDefn());
    for (std::int64_t street = 0; street < size.streets; ++street) {
        const double length = static_cast<double>((parcelsOnStreet(size, street) + 1) / 2) * kParcelWidth;
        OGRLineString line;
        line.addPoint(town.originX, town.originY + static_cast<double>(street) * kStreetSpacing);
        line.addPoint(town.originX + std::max(length, kParcelWidth), town.originY + static_cast<double>(street) * kStreetSpacing);
        feature.SetField(0, names[static_cast<std::size_t>(street)].c_str());
        feature.SetGeometry(&line);
        create(town, layer, feature);
    }
}

void writePoints(Town& town, const TownSize& size, const std::vector<std::string>& names)
{
    OGRLayer& schools = createLayer(town, "Landmarks/Schools", wkbPoint);
    addField(schools, "NAME", OFTString, 60);
    OGRFeature school(schools.GetLayerDefn());
    for (std::int64_t street = 0; street < size.streets; street += 7) {
        const std::string& name = names[static_cast<std::size_t>(street)];
        school.SetField(0, (name.substr(name.find_first_not_of(' ')) + " SCHOOL").c_str());
        OGRPoint point(town.originX + kParcelWidth / 2, town.originY + static_cast<double>(street) * kStreetSpacing + kStreetSpacing / 2);
        school.SetGeometry(&point);
        create(town, schools, school);
    }

    OGRLayer& hydrants = createLayer(town, "Utilities/Water/Hydrants", wkbPoint);
    addField(hydrants, "HYDRANT_NO", OFTInteger);
    OGRFeature hydrant(hydrants.GetLayerDefn());
    std::int32_t number = 0;
    for (std::int64_t street = 0; street < size.streets; ++street) {
        const std::int64_t slots = (parcelsOnStreet(size, street) + 1) / 2;
        for (std::int64_t slot = 0; slot < slots; slot += 10) {
            hydrant.SetField(0, ++number);
            OGRPoint point(town.originX + static_cast<double>(slot) * kParcelWidth, town.originY + static_cast<double>(street) * kStreetSpacing + kRoadHalfWidth);
            hydrant.SetGeometry(&point);
            create(town, hydrants, hydrant);
        }
    }
}

void writeOwners(Town& town, const TownSize& size)
{
    static constexpr const char* kOwners[] = {"SMITH", "JOHNSON", "WILLIAMS", "BROWN", "JONES", "GARCIA", "MILLER",
                                              "DAVIS", "O'BRIEN", "NGUYEN", "MÜLLER", "PEÑA"};
    OGRLayer& layer = createLayer(town, "Owners", wkbNone);
    addField(layer, "PARCEL_ID", OFTString, 12);
    addField(layer, "OWNER", OFTString, 40);
    OGRFeature feature(layer.GetLayerDefn());
    Random random(size.seed + 7);
    const std::int64_t rows = std::min<std::int64_t>(size.parcels, 5000);
    for (std::int64_t id = 1; id <= rows; ++id) {
        char parcelId[32];
        std::snprintf(parcelId, sizeof parcelId, "P%07lld", static_cast<long long>(id));
        feature.SetField(0, parcelId);
        feature.SetField(1, kOwners[random.below(std::size(kOwners))]);
        create(town, layer, feature);
    }
}

void execute(GDALDataset& dataset, const std::string& sql)
{
    CPLErrorReset();
    OGRLayer* result = dataset.ExecuteSQL(sql.c_str(), nullptr, nullptr);
    if (result != nullptr) dataset.ReleaseResultSet(result);
    if (CPLGetLastErrorType() >= CE_Failure) fail("Cannot run " + sql);
}

void createIndexes(GDALDataset& dataset, Format format)
{
    if (format == Format::GeoPackage) {
        execute(dataset, "CREATE INDEX idx_parcels_stname ON \"Parcels\" (\"STNAME\")");
        execute(dataset, "CREATE INDEX idx_parcels_stname_addnum ON \"Parcels\" (\"STNAME\", \"ADDNUM\")");
    } else {
        // OGR's own attribute indexes: one field each.
        execute(dataset, "CREATE INDEX ON Parcels USING STNAME");
        execute(dataset, "CREATE INDEX ON Parcels USING ADDNUM");
    }
}

} // namespace

void writeTown(const TownSize& size, Format format, const std::string& path, const TownPlace& place)
{
    if (size.streets < 1 || size.parcels < 0) throw TownError("The town needs at least one street");
    GDALAllRegister();
    CPLSetConfigOption("OGR_SQLITE_SYNCHRONOUS", "OFF");
    std::error_code ec;
    std::filesystem::remove_all(path, ec);

    const char* driverName = format == Format::GeoPackage ? "GPKG" : "ESRI Shapefile";
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName);
    if (driver == nullptr) fail(std::string("GDAL has no ") + driverName + " driver");
    if (format == Format::Shapefile) std::filesystem::create_directories(path, ec);
    CPLErrorReset();
    GDALDatasetUniquePtr dataset(driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset) fail("Cannot create " + path);

    OGRSpatialReference grid;
    grid.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const bool haveGrid = grid.importFromEPSG(32618) == OGRERR_NONE;
    OGRSpatialReference srs;
    srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const bool haveSrs = srs.importFromEPSG(place.epsg) == OGRERR_NONE;
    if (place.epsg != 32618 && !haveSrs) fail("GDAL does not know EPSG:" + std::to_string(place.epsg));
    std::unique_ptr<OGRCoordinateTransformation> toFile;
    if (place.epsg != 32618 && haveGrid) {
        toFile.reset(OGRCreateCoordinateTransformation(&grid, &srs));
        if (!toFile) fail("Cannot transform from EPSG:32618 to EPSG:" + std::to_string(place.epsg));
    }
    CPLErrorReset();
    Town town{*dataset, format, haveSrs ? &srs : nullptr, place.originEasting, place.originNorthing, toFile.get()};

    const auto names = streetNames(size.streets, size.seed);
    const bool transactions = dataset->TestCapability(ODsCTransactions) != 0;
    if (transactions) check(dataset->StartTransaction(), "Cannot start a transaction");
    writeParcels(town, size, names);
    writeStreets(town, size, names);
    writePoints(town, size, names);
    writeOwners(town, size);
    if (transactions) check(dataset->CommitTransaction(), "Cannot commit " + path);
    createIndexes(*dataset, format);
    CPLErrorReset();
    dataset->FlushCache();
    GDALClose(GDALDataset::ToHandle(dataset.release()));
    if (CPLGetLastErrorType() >= CE_Failure) fail("Cannot finish " + path);
}

} // namespace corvane::towngen
