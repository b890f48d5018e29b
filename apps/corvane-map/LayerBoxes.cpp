#include "LayerBoxes.h"

#include <filesystem>
#include <vector>

#include "ShapefileBoxes.h"
#include "gdal/CplErrors.h"

namespace corvane::map {

namespace {

constexpr std::int64_t kProgressEvery = 20'000;
constexpr std::int64_t kStaleCheckEvery = 4'096;

std::string quotedIdentifier(const std::string& name)
{
    std::string quoted = "\"";
    for (const char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

// Attributes are never needed to draw.
void ignoreAttributes(OGRLayer& layer)
{
    if (!layer.TestCapability(OLCIgnoreFields)) return;
    std::vector<const char*> ignored;
    OGRFeatureDefn* definition = layer.GetLayerDefn();
    for (int i = 0; i < definition->GetFieldCount(); ++i) ignored.push_back(definition->GetFieldDefn(i)->GetNameRef());
    ignored.push_back("OGR_STYLE");
    ignored.push_back(nullptr);
    layer.SetIgnoredFields(ignored.data());
}

// A GeoPackage's R-tree, read with SQL: a box costs a row, not a shape.
class GeoPackageBoxes final : public LayerBoxes {
public:
    GeoPackageBoxes(gdal::LayerTable& table, std::string rtree, std::int64_t count, const gdal::Box& extent)
        : m_source(table.source()), m_layerName(table.schema().layerName), m_rtree(std::move(rtree)), m_count(count),
          m_extent(extent)
    {
    }

    bool visit(const gdal::Box& area, const RenderControl& control,
               const std::function<bool(const IndexedBox&)>& visit) override
    {
        gdal::LayerLease lease = m_source->lease(m_layerName);
        gdal::ScopedCplErrors errors;
        const std::string sql = "SELECT id, minx, miny, maxx, maxy FROM " + quotedIdentifier(m_rtree) +
                                " WHERE maxx >= " + number(area.xMin) + " AND minx <= " + number(area.xMax) +
                                " AND maxy >= " + number(area.yMin) + " AND miny <= " + number(area.yMax);
        OGRLayer* rows = lease.dataset().ExecuteSQL(sql.c_str(), nullptr, nullptr);
        if (rows == nullptr) errors.raise("Cannot read the spatial index of " + m_layerName);
        const std::unique_ptr<OGRLayer, std::function<void(OGRLayer*)>> result(
            rows, [&lease](OGRLayer* r) { lease.dataset().ReleaseResultSet(r); });
        std::int64_t seen = 0;
        for (OGRFeatureUniquePtr row(rows->GetNextFeature()); row; row.reset(rows->GetNextFeature())) {
            if (++seen % kStaleCheckEvery == 0 && control.isStale()) return false;
            const IndexedBox box{{row->GetFieldAsDouble(1), row->GetFieldAsDouble(2), row->GetFieldAsDouble(3),
                                  row->GetFieldAsDouble(4)},
                                 row->GetFieldAsInteger64(0)};
            if (!visit(box)) return false;
        }
        if (errors.failed()) errors.raise("Cannot read the spatial index of " + m_layerName);
        return true;
    }

    [[nodiscard]] bool storeFiltersQuickly() const noexcept override { return true; }
    [[nodiscard]] std::int64_t count() const noexcept override { return m_count; }
    [[nodiscard]] gdal::Box extent() const noexcept override { return m_extent; }

private:
    static std::string number(double value)
    {
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", value);
        return text;
    }

    std::shared_ptr<gdal::DataSource> m_source;
    std::string m_layerName;
    std::string m_rtree;
    std::int64_t m_count;
    gdal::Box m_extent;
};

class MemoryBoxes final : public LayerBoxes {
public:
    explicit MemoryBoxes(std::shared_ptr<const ShapeIndex> index) : m_index(std::move(index)) {}

    bool visit(const gdal::Box& area, const RenderControl& control,
               const std::function<bool(const IndexedBox&)>& visit) override
    {
        std::int64_t seen = 0;
        return m_index->visit(area, [&](const IndexedBox& box) {
            if (++seen % kStaleCheckEvery == 0 && control.isStale()) return false;
            return visit(box);
        });
    }

    [[nodiscard]] bool storeFiltersQuickly() const noexcept override { return false; }
    [[nodiscard]] std::int64_t count() const noexcept override { return static_cast<std::int64_t>(m_index->size()); }
    [[nodiscard]] gdal::Box extent() const noexcept override { return m_index->bounds(); }

private:
    std::shared_ptr<const ShapeIndex> m_index;
};

// The R-tree table of a GeoPackage layer, when it has one.
std::optional<std::string> geoPackageRtree(GDALDataset& dataset, OGRLayer& layer)
{
    const char* geometryColumn = layer.GetGeometryColumn();
    if (geometryColumn == nullptr || *geometryColumn == '\0') return std::nullopt;
    const std::string rtree = "rtree_" + std::string(layer.GetName()) + "_" + geometryColumn;
    std::string literal = "'";
    for (const char c : rtree) literal += c == '\'' ? std::string("''") : std::string(1, c);
    literal += '\'';
    gdal::ScopedCplErrors errors;
    const std::string sql = "SELECT name FROM sqlite_master WHERE type = 'table' AND name = " + literal;
    OGRLayer* rows = dataset.ExecuteSQL(sql.c_str(), nullptr, nullptr);
    if (rows == nullptr) return std::nullopt;
    const bool found = OGRFeatureUniquePtr(rows->GetNextFeature()) != nullptr;
    dataset.ReleaseResultSet(rows);
    return found ? std::optional<std::string>(rtree) : std::nullopt;
}

// A file written anew under the same name is indexed anew.
std::string cacheKey(gdal::LayerTable& table)
{
    std::error_code error;
    const auto written = std::filesystem::last_write_time(table.source()->path(), error);
    const auto stamp = error ? 0 : written.time_since_epoch().count();
    return table.source()->path() + '\n' + std::to_string(stamp) + '\n' + table.schema().layerName;
}

// The .shp file of a Shapefile layer (a file, or a folder of them).
std::optional<std::string> shpFileOf(gdal::LayerTable& table)
{
    if (table.source()->driverName() != "ESRI Shapefile") return std::nullopt;
    const std::filesystem::path path = table.source()->path();
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return (path / (table.schema().layerName + ".shp")).string();
    std::string extension = path.extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".shp") return path.string();
    return std::nullopt;
}

} // namespace

std::shared_ptr<const ShapeIndex> buildShapeIndex(gdal::LayerTable& table, const RenderControl& control)
{
    const std::string& name = table.schema().layerName;
    gdal::LayerLease lease = table.source()->lease(name);
    OGRLayer& layer = lease.layer();
    gdal::ScopedCplErrors errors;
    ignoreAttributes(layer);
    const GIntBig total = layer.TestCapability(OLCFastFeatureCount) ? layer.GetFeatureCount(TRUE) : -1;
    const QString label = QString::fromStdString(name);
    control.report(QStringLiteral("Indexing %1...").arg(label));
    // Straight from the .shp when its records are the layer's features one
    // for one (deleted rows would make them differ: OGR then decides).
    if (const auto shp = shpFileOf(table)) {
        std::optional<std::vector<IndexedBox>> read = readShapefileBoxes(*shp);
        if (read && read->size() == static_cast<std::size_t>(total)) {
            auto index = std::make_shared<const ShapeIndex>(std::move(*read));
            control.report(QString());
            return index;
        }
    }
    std::vector<IndexedBox> boxes;
    if (total > 0) boxes.reserve(static_cast<std::size_t>(total));
    for (OGRFeatureUniquePtr feature(layer.GetNextFeature()); feature; feature.reset(layer.GetNextFeature())) {
        if (const OGRGeometry* geometry = feature->GetGeometryRef(); geometry != nullptr && !geometry->IsEmpty()) {
            OGREnvelope e;
            geometry->getEnvelope(&e);
            boxes.push_back({{e.MinX, e.MinY, e.MaxX, e.MaxY}, feature->GetFID()});
        }
        if (boxes.size() % kProgressEvery == 0) {
            if (control.isAbandoned()) return nullptr;
            if (total > 0)
                control.report(QStringLiteral("Indexing %1: %2%").arg(label).arg(
                    static_cast<int>(100.0 * static_cast<double>(boxes.size()) / static_cast<double>(total))));
            else
                control.report(QStringLiteral("Indexing %1: %2 shapes").arg(label).arg(boxes.size()));
        }
    }
    if (errors.failed()) errors.raise("Cannot read the shapes of " + name);
    auto index = std::make_shared<const ShapeIndex>(std::move(boxes));
    control.report(QString());
    return index;
}

std::shared_ptr<LayerBoxes> LayerBoxCache::boxesOf(gdal::LayerTable& table, const RenderControl& control)
{
    if (!table.schema().hasGeometry) return nullptr;
    std::shared_ptr<Entry> entry;
    {
        const std::lock_guard lock(m_mutex);
        auto& slot = m_entries[cacheKey(table)];
        if (!slot) slot = std::make_shared<Entry>();
        entry = slot;
    }
    const std::lock_guard building(entry->building);
    if (entry->known) return entry->boxes;
    {
        gdal::LayerLease lease = table.source()->lease(table.schema().layerName);
        OGRLayer& layer = lease.layer();
        if (layer.TestCapability(OLCFastSpatialFilter)) {
            entry->known = true;
            if (table.source()->driverName() == "GPKG")
                if (auto rtree = geoPackageRtree(lease.dataset(), layer)) {
                    OGREnvelope e;
                    if (layer.GetExtent(&e, TRUE) == OGRERR_NONE)
                        entry->boxes = std::make_shared<GeoPackageBoxes>(table, *rtree, layer.GetFeatureCount(TRUE),
                                                                         gdal::Box{e.MinX, e.MinY, e.MaxX, e.MaxY});
                }
            return entry->boxes;
        }
    }
    std::shared_ptr<const ShapeIndex> index = buildShapeIndex(table, control);
    if (!index) return nullptr;
    entry->known = true;
    entry->boxes = std::make_shared<MemoryBoxes>(std::move(index));
    return entry->boxes;
}

} // namespace corvane::map
