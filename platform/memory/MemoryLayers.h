#pragma once
// Layers of a memory map: feature layers over a memory table, group layers
// that hold other layers (nestable), and other layers that are neither, such
// as a raster. The builder members (lower-case) are for tests and are not
// host calls.

#include <memory>
#include <string>
#include <vector>

#include "host/Layers.h"
#include "memory/Box.h"
#include "memory/MemoryTable.h"

namespace corvane::memory {

struct LayerOptions {
    // Added in front of the given fields unless one of them is an object-ID field.
    bool objectIdField = true;
    std::string objectIdName = "OBJECTID";
    // Added after the given fields unless one of them is a geometry field.
    bool shapeField = true;
    std::string shapeName = "SHAPE";
};

class MemoryFeatureLayer final : public host::IFeatureLayer,
                                 public host::IDisplayTable,
                                 public std::enable_shared_from_this<MemoryFeatureLayer> {
public:
    MemoryFeatureLayer(ContextPtr context, std::string name, const std::vector<FieldSpec>& fields,
                       const LayerOptions& options = {});

    // Values for the fields other than the object ID and the shape, in field
    // order; Variant::null() for Null. Returns the new feature's object ID.
    std::int32_t addFeature(const Box& shape, const std::vector<host::Variant>& values);
    // A feature whose shape is Null.
    std::int32_t addFeatureWithoutShape(const std::vector<host::Variant>& values);

    [[nodiscard]] const std::string& name() const noexcept { return m_name; }
    void rename(std::string name) { m_name = std::move(name); }
    [[nodiscard]] TableData& data() const noexcept { return *m_data; }
    [[nodiscard]] MemoryTable& table() const noexcept { return *m_table; }
    [[nodiscard]] MemoryFeatureClass& featureClass() const noexcept { return *m_featureClass; }
    // DisplayTable / FeatureClass hand out an empty reference from now on.
    void setDisplayTableEmpty() noexcept { m_showTable = false; }
    void setFeatureClassEmpty() noexcept { m_showFeatureClass = false; }
    [[nodiscard]] host::Ref<host::IFeatureLayer> ref() { return host::Ref<host::IFeatureLayer>(shared_from_this()); }

    std::string Name() override;
    host::Ref<host::IFeatureClass> FeatureClass() override;
    host::Ref<host::IFeatureCursor> Search(const host::Ref<host::IQueryFilter>& filter, bool recycling) override;
    host::Ref<host::ITable> DisplayTable() override;

private:
    ContextPtr m_context;
    std::string m_name;
    std::shared_ptr<TableData> m_data;
    std::shared_ptr<MemoryTable> m_table;
    std::shared_ptr<MemoryFeatureClass> m_featureClass;
    bool m_showTable = true;
    bool m_showFeatureClass = true;
};

// A layer that is neither a group nor a feature layer (a raster, say).
class MemoryOtherLayer final : public host::ILayer, public std::enable_shared_from_this<MemoryOtherLayer> {
public:
    MemoryOtherLayer(ContextPtr context, std::string name) : m_context(std::move(context)), m_name(std::move(name)) {}

    [[nodiscard]] const std::string& name() const noexcept { return m_name; }
    [[nodiscard]] host::Ref<host::ILayer> ref() { return host::Ref<host::ILayer>(shared_from_this()); }

    std::string Name() override;

private:
    ContextPtr m_context;
    std::string m_name;
};

class MemoryGroupLayer;

// The ordered layers of a map or a group layer, with the builders both offer.
class LayerList {
public:
    explicit LayerList(ContextPtr context) : m_context(std::move(context)) {}

    MemoryFeatureLayer& addFeatureLayer(const std::string& name, const std::vector<FieldSpec>& fields,
                                        const LayerOptions& options = {});
    MemoryGroupLayer& addGroupLayer(const std::string& name);
    MemoryOtherLayer& addOtherLayer(const std::string& name);
    // Any layer, for instance one already in another group or map.
    void addLayer(const host::Ref<host::ILayer>& layer) { m_layers.push_back(layer); }
    // Removes every layer of this level whose name is exactly `name`.
    void removeLayer(const std::string& name);

    [[nodiscard]] std::int32_t count() const noexcept { return static_cast<std::int32_t>(m_layers.size()); }
    // Raises HostError for an index out of range.
    [[nodiscard]] host::Ref<host::ILayer> at(std::int32_t index) const;

private:
    ContextPtr m_context;
    std::vector<host::Ref<host::ILayer>> m_layers;
};

// What a map and a group layer share: their layers and the builders for them.
class LayerContainer {
public:
    explicit LayerContainer(ContextPtr context) : m_layers(std::move(context)) {}

    [[nodiscard]] LayerList& layers() noexcept { return m_layers; }
    MemoryFeatureLayer& addFeatureLayer(const std::string& name, const std::vector<FieldSpec>& fields,
                                        const LayerOptions& options = {})
    {
        return m_layers.addFeatureLayer(name, fields, options);
    }
    MemoryGroupLayer& addGroupLayer(const std::string& name) { return m_layers.addGroupLayer(name); }
    MemoryOtherLayer& addOtherLayer(const std::string& name) { return m_layers.addOtherLayer(name); }
    void removeLayer(const std::string& name) { m_layers.removeLayer(name); }

protected:
    LayerList m_layers;
};

class MemoryGroupLayer final : public host::IGroupLayer,
                               public host::ICompositeLayer,
                               public LayerContainer,
                               public std::enable_shared_from_this<MemoryGroupLayer> {
public:
    MemoryGroupLayer(ContextPtr context, std::string name)
        : LayerContainer(context), m_context(std::move(context)), m_name(std::move(name))
    {
    }

    [[nodiscard]] const std::string& name() const noexcept { return m_name; }
    [[nodiscard]] host::Ref<host::ILayer> ref() { return host::Ref<host::ILayer>(shared_from_this()); }

    std::string Name() override;
    std::int32_t Count() override;
    host::Ref<host::ILayer> Layer(std::int32_t index) override;

private:
    ContextPtr m_context;
    std::string m_name;
};

} // namespace corvane::memory
