#include "memory/MemoryLayers.h"

#include <algorithm>

#include "memory/MemoryCursor.h"
#include "memory/MemoryQueryFilter.h"

namespace corvane::memory {

namespace {

std::vector<FieldSpec> layerFields(const std::vector<FieldSpec>& fields, const LayerOptions& options)
{
    const auto hasType = [&](std::int32_t type) {
        return std::any_of(fields.begin(), fields.end(), [&](const FieldSpec& f) { return f.type == type; });
    };
    std::vector<FieldSpec> all;
    if (options.objectIdField && !hasType(host::esriFieldTypeOID))
        all.push_back(FieldSpec{options.objectIdName, host::esriFieldTypeOID});
    all.insert(all.end(), fields.begin(), fields.end());
    if (options.shapeField && !hasType(host::esriFieldTypeGeometry))
        all.push_back(FieldSpec{options.shapeName, host::esriFieldTypeGeometry});
    return all;
}

} // namespace

MemoryFeatureLayer::MemoryFeatureLayer(ContextPtr context, std::string name, const std::vector<FieldSpec>& fields,
                                       const LayerOptions& options)
    : m_context(context), m_name(name),
      m_data(std::make_shared<TableData>(std::move(context), std::move(name), layerFields(fields, options))),
      m_table(std::make_shared<MemoryTable>(m_data)), m_featureClass(std::make_shared<MemoryFeatureClass>(m_data))
{
}

std::int32_t MemoryFeatureLayer::addFeature(const Box& shape, const std::vector<host::Variant>& values)
{
    return m_data->addRow(shape, values);
}

std::int32_t MemoryFeatureLayer::addFeatureWithoutShape(const std::vector<host::Variant>& values)
{
    return m_data->addRow(kNoShape, values);
}

std::string MemoryFeatureLayer::Name()
{
    m_context->faults.check("ILayer.Name");
    return m_name;
}

host::Ref<host::IFeatureClass> MemoryFeatureLayer::FeatureClass()
{
    m_context->faults.check("IFeatureLayer.FeatureClass");
    if (!m_showFeatureClass) return {};
    return host::Ref<host::IFeatureClass>(m_featureClass);
}

host::Ref<host::IFeatureCursor> MemoryFeatureLayer::Search(const host::Ref<host::IQueryFilter>& filter, bool recycling)
{
    m_context->faults.check("IFeatureLayer.Search");
    std::string clause = clauseOf(filter);
    m_context->journal.record(SearchRecord{"IFeatureLayer.Search", m_name, !filter.isNothing(), clause, recycling});
    if (!m_showFeatureClass) host::raiseError(host::errors::kHostCallFailed, "The layer " + m_name + " has no data source");
    WhereClause compiled = WhereClause::compile(*m_data, clause);
    return host::makeRef<MemoryFeatureCursor>(RowScan(m_data, std::move(compiled), recycling));
}

host::Ref<host::ITable> MemoryFeatureLayer::DisplayTable()
{
    m_context->faults.check("IDisplayTable.DisplayTable");
    if (!m_showTable) return {};
    return host::Ref<host::ITable>(m_table);
}

std::string MemoryOtherLayer::Name()
{
    m_context->faults.check("ILayer.Name");
    return m_name;
}

MemoryFeatureLayer& LayerList::addFeatureLayer(const std::string& name, const std::vector<FieldSpec>& fields,
                                               const LayerOptions& options)
{
    auto layer = std::make_shared<MemoryFeatureLayer>(m_context, name, fields, options);
    m_layers.emplace_back(layer);
    return *layer;
}

MemoryGroupLayer& LayerList::addGroupLayer(const std::string& name)
{
    auto layer = std::make_shared<MemoryGroupLayer>(m_context, name);
    m_layers.emplace_back(layer);
    return *layer;
}

MemoryOtherLayer& LayerList::addOtherLayer(const std::string& name)
{
    auto layer = std::make_shared<MemoryOtherLayer>(m_context, name);
    m_layers.emplace_back(layer);
    return *layer;
}

void LayerList::removeLayer(const std::string& name)
{
    std::erase_if(m_layers, [&](const host::Ref<host::ILayer>& layer) {
        if (const auto* feature = dynamic_cast<const MemoryFeatureLayer*>(layer.get())) return feature->name() == name;
        if (const auto* group = dynamic_cast<const MemoryGroupLayer*>(layer.get())) return group->name() == name;
        if (const auto* other = dynamic_cast<const MemoryOtherLayer*>(layer.get())) return other->name() == name;
        return false;
    });
}

host::Ref<host::ILayer> LayerList::at(std::int32_t index) const
{
    if (index < 0 || index >= count())
        host::raiseError(kInvalidArgument, "The layer index " + std::to_string(index) + " is out of range");
    return m_layers[static_cast<std::size_t>(index)];
}

std::string MemoryGroupLayer::Name()
{
    m_context->faults.check("ILayer.Name");
    return m_name;
}

std::int32_t MemoryGroupLayer::Count()
{
    m_context->faults.check("ICompositeLayer.Count");
    return m_layers.count();
}

host::Ref<host::ILayer> MemoryGroupLayer::Layer(std::int32_t index)
{
    m_context->faults.check("ICompositeLayer.Layer");
    return m_layers.at(index);
}

} // namespace corvane::memory
