#include "gdal/MapBuilder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

#include "gdal/CplErrors.h"
#include "gdal/GdalLayers.h"
#include "gdal/LayerSchema.h"
#include "gdal/LayerTable.h"
#include "gdal/PgSources.h"

namespace corvane::gdal {

namespace {

std::string fileTitle(const std::string& path)
{
    std::filesystem::path p(path);
    if (p.filename().empty()) p = p.parent_path();
    return p.stem().string();
}

std::string lowerExtension(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

OpenOptions optionsFor(const std::string& path, OpenOptions options)
{
    if (isPostgresConnection(path)) return postgresOpenOptions(std::move(options));
    if (lowerExtension(path) != ".csv") return options;
    const bool chosen = std::any_of(options.driverOptions.begin(), options.driverOptions.end(), [](const std::string& o) {
        return o.rfind("X_POSSIBLE_NAMES=", 0) == 0 || o.rfind("GEOM_POSSIBLE_NAMES=", 0) == 0;
    });
    if (!chosen) {
        options.driverOptions.emplace_back("X_POSSIBLE_NAMES=X,LON,LONG,LONGITUDE,EASTING");
        options.driverOptions.emplace_back("Y_POSSIBLE_NAMES=Y,LAT,LATITUDE,NORTHING");
        options.driverOptions.emplace_back("KEEP_GEOM_COLUMNS=NO");
        options.driverOptions.emplace_back("AUTODETECT_TYPE=YES");
    }
    return options;
}

std::vector<std::string> splitGroups(const std::string& name)
{
    std::vector<std::string> parts;
    std::string part;
    for (const char c : name) {
        if (c == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    if (parts.empty()) parts.push_back(name);
    return parts;
}

// The group named `name` directly inside `parent`, made when missing.
GroupLayer& childGroup(GroupLayer& parent, const std::string& name)
{
    for (const auto& layer : parent.layers()) {
        if (auto* group = dynamic_cast<GroupLayer*>(layer.get()); group != nullptr && group->Name() == name) return *group;
    }
    auto group = std::make_shared<GroupLayer>(name);
    parent.add(host::Ref<host::ILayer>(group));
    return *group;
}

void placeLayer(GroupLayer& root, const std::string& ogrName, const std::shared_ptr<LayerTable>& table, bool feature)
{
    const auto parts = splitGroups(ogrName);
    GroupLayer* parent = &root;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) parent = &childGroup(*parent, parts[i]);
    if (feature) {
        parent->add(host::makeRef<FeatureLayer>(parts.back(), table));
    } else {
        parent->add(host::makeRef<PlainLayer>(parts.back(), table));
    }
}

} // namespace

std::vector<host::Ref<host::ILayer>> openGisFile(const std::string& path, const OpenOptions& requested,
                                                 std::vector<std::string>* warnings)
{
    const OpenOptions options = optionsFor(path, requested);
    // A database's raster tables are not shown (GDAL's raster driver for
    // them fails where PostGIS has no raster support).
    const bool database = isPostgresConnection(path);
    std::vector<std::string> openWarnings;
    GDALDatasetUniquePtr dataset =
        openDataset(path, database ? GDAL_OF_VECTOR : GDAL_OF_VECTOR | GDAL_OF_RASTER, options, &openWarnings);
    if (warnings != nullptr) {
        // GDAL opens only the first tables of a large GeoPackage or SQLite
        // file and says so only as a warning: the rest would be missing silently.
        for (const std::string& warning : openWarnings) {
            if (warning.find("OGR_TABLE_LIMIT") != std::string::npos) {
                warnings->push_back("Not every table of " + displayPath(path) + " was opened: " + warning);
            }
        }
    }
    const std::string driverName = dataset->GetDriver() != nullptr ? dataset->GetDriver()->GetDescription() : "";
    auto source = DataSource::create(path, options);

    GroupLayer root(database ? connectionTitle(path) : fileTitle(path));
    ScopedCplErrors errors;
    const int layerCount = dataset->GetLayerCount();
    std::vector<std::shared_ptr<const LayerSchema>> schemas;
    std::set<std::string> databaseSchemas;
    for (int i = 0; i < layerCount; ++i) {
        OGRLayer* layer = dataset->GetLayer(i);
        if (layer == nullptr) errors.raise("Cannot read layer " + std::to_string(i) + " of " + source->displayName());
        schemas.push_back(LayerSchema::read(*layer, driverName));
        databaseSchemas.insert(schemaOfLayer(schemas.back()->layerName));
    }
    for (const auto& schema : schemas) {
        auto table = std::make_shared<LayerTable>(source, schema);
        std::string placed = schema->layerName;
        // A database shows its schemas as groups once there is more than one.
        if (database) {
            placed = tableOfLayer(placed);
            if (databaseSchemas.size() > 1) placed = schemaOfLayer(schema->layerName) + "/" + placed;
        }
        placeLayer(root, placed, table, schema->hasGeometry);
    }
    if (dataset->GetRasterCount() > 0) root.add(host::makeRef<PlainLayer>(fileTitle(path), nullptr));
    if (root.layers().empty()) {
        raiseGdalFailure("Cannot open " + source->displayName(), database ? "the database holds no tables"
                                                                          : "the file holds no layers");
    }
    if (database) source->keepIdle(std::move(dataset));
    if (root.layers().size() == 1) return root.layers();
    auto group = std::make_shared<GroupLayer>(root);
    return {host::Ref<host::ILayer>(group)};
}

std::shared_ptr<GdalMap> openMap(const std::vector<std::string>& paths, const OpenOptions& options)
{
    auto map = std::make_shared<GdalMap>();
    for (const auto& path : paths) {
        std::vector<std::string> warnings;
        for (auto& layer : openGisFile(path, options, &warnings)) map->addLayer(std::move(layer));
        for (auto& warning : warnings) map->addWarning(std::move(warning));
    }
    return map;
}

std::shared_ptr<GdalDocument> openDocument(const std::vector<std::string>& paths, const OpenOptions& options)
{
    return std::make_shared<GdalDocument>(openMap(paths, options));
}

} // namespace corvane::gdal
