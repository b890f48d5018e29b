#pragma once
// Layers of a map made from GIS files: a feature layer per OGR vector layer,
// group layers (a file with several layers, and the groups its layer names
// spell with "/"), and plain layers for rasters and attribute-only tables,
// which are neither group nor feature layers.

#include <memory>
#include <string>
#include <vector>

#include "gdal/LayerTable.h"
#include "host/Layers.h"

namespace corvane::gdal {

class FeatureLayer final : public host::IFeatureLayer, public host::IDisplayTable {
public:
    FeatureLayer(std::string name, std::shared_ptr<LayerTable> table) : m_name(std::move(name)), m_table(std::move(table)) {}

    std::string Name() override { return m_name; }
    host::Ref<host::IFeatureClass> FeatureClass() override { return host::Ref<host::IFeatureClass>(m_table); }
    host::Ref<host::IFeatureCursor> Search(const host::Ref<host::IQueryFilter>& filter, bool recycling) override
    {
        return m_table->searchFeatures(filter, recycling);
    }
    host::Ref<host::ITable> DisplayTable() override { return host::Ref<host::ITable>(m_table); }

    [[nodiscard]] LayerTable& table() const noexcept { return *m_table; }

private:
    std::string m_name;
    std::shared_ptr<LayerTable> m_table;
};

class GroupLayer final : public host::IGroupLayer, public host::ICompositeLayer {
public:
    explicit GroupLayer(std::string name) : m_name(std::move(name)) {}

    std::string Name() override { return m_name; }
    std::int32_t Count() override { return static_cast<std::int32_t>(m_layers.size()); }
    // Raises HostError for an index out of range.
    host::Ref<host::ILayer> Layer(std::int32_t index) override;

    void add(host::Ref<host::ILayer> layer) { m_layers.push_back(std::move(layer)); }
    [[nodiscard]] const std::vector<host::Ref<host::ILayer>>& layers() const noexcept { return m_layers; }

private:
    std::string m_name;
    std::vector<host::Ref<host::ILayer>> m_layers;
};

// A raster, or a table without shapes. Its table (empty for a raster) is
// reachable for the map application, not through the host's layer types.
class PlainLayer final : public host::ILayer {
public:
    PlainLayer(std::string name, std::shared_ptr<LayerTable> table) : m_name(std::move(name)), m_table(std::move(table)) {}

    std::string Name() override { return m_name; }
    [[nodiscard]] const std::shared_ptr<LayerTable>& table() const noexcept { return m_table; }

private:
    std::string m_name;
    std::shared_ptr<LayerTable> m_table;
};

} // namespace corvane::gdal
