#include "TownFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include <gdal_priv.h>
#include <gdal_utils.h>

#include "gdal/MapBuilder.h"
#include "towngen/TownWriter.h"

namespace corvane::gdal::testing {

namespace {

void copyParcels(const std::string& from, const std::string& to, std::vector<const char*> args)
{
    GDALDatasetUniquePtr source(GDALDataset::Open(from.c_str(), GDAL_OF_VECTOR));
    args.push_back("Parcels");
    args.push_back(nullptr);
    GDALVectorTranslateOptions* options = GDALVectorTranslateOptionsNew(const_cast<char**>(args.data()), nullptr);
    GDALDatasetH handle = GDALDataset::ToHandle(source.get());
    int usageError = 0;
    GDALDatasetH copy = GDALVectorTranslate(to.c_str(), nullptr, 1, &handle, options, &usageError);
    GDALVectorTranslateOptionsFree(options);
    if (copy == nullptr) throw std::runtime_error("cannot copy the parcels to " + to);
    GDALClose(copy);
}

struct ScratchTown {
    TownFiles files;
    ScratchTown()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-gdal-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
        files.folder = pattern;
        files.geoPackage = files.folder + "/town.gpkg";
        files.shapefiles = files.folder + "/town-shp";
        files.parcelsShp = files.shapefiles + "/Parcels.shp";
        const towngen::TownSize size{kTownParcels, kTownStreets, 3};
        towngen::writeTown(size, towngen::Format::GeoPackage, files.geoPackage);
        towngen::writeTown(size, towngen::Format::Shapefile, files.shapefiles);
        files.fileGdb = files.folder + "/town.gdb";
        copyParcels(files.geoPackage, files.fileGdb, {"-f", "OpenFileGDB"});
        files.spatiaLite = files.folder + "/town.sqlite";
        copyParcels(files.geoPackage, files.spatiaLite, {"-f", "SQLite", "-dsco", "SPATIALITE=YES", "-lco", "LAUNDER=NO"});
        files.geoJson = files.folder + "/parcels.geojson";
        copyParcels(files.geoPackage, files.geoJson, {"-f", "GeoJSON"});
    }
    ~ScratchTown()
    {
        std::error_code ec;
        std::filesystem::remove_all(files.folder, ec);
    }
    ScratchTown(const ScratchTown&) = delete;
    ScratchTown& operator=(const ScratchTown&) = delete;
};

ScratchTown& scratchTown()
{
    static ScratchTown town;
    return town;
}

} // namespace

const TownFiles& townFiles() { return scratchTown().files; }

std::string scratchPath(const std::string& name) { return scratchTown().files.folder + "/" + name; }

std::string writeScratchFile(const std::string& name, const std::string& bytes)
{
    const std::string path = scratchPath(name);
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return path;
}

namespace {

std::shared_ptr<FeatureLayer> find(const host::Ref<host::ILayer>& layer, const std::string& name)
{
    if (auto group = std::dynamic_pointer_cast<GroupLayer>(layer.shared())) {
        for (const auto& child : group->layers()) {
            if (auto found = find(child, name)) return found;
        }
        return nullptr;
    }
    auto feature = std::dynamic_pointer_cast<FeatureLayer>(layer.shared());
    return feature && feature->Name() == name ? feature : nullptr;
}

} // namespace

std::shared_ptr<FeatureLayer> featureLayer(GdalMap& map, const std::string& name)
{
    for (const auto& layer : map.layers()) {
        if (auto found = find(layer, name)) return found;
    }
    throw std::runtime_error("no feature layer " + name);
}

std::shared_ptr<FeatureLayer> parcelsOf(const std::string& path)
{
    auto map = openMap({path});
    return featureLayer(*map, "Parcels");
}

} // namespace corvane::gdal::testing
