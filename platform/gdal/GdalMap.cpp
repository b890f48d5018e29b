#include "gdal/GdalMap.h"

#include <algorithm>

#include "gdal/GdalLayers.h"
#include "host/HostError.h"

namespace corvane::gdal {

namespace {

void unite(std::optional<Box>& total, const Box& box)
{
    if (!total) {
        total = box;
        return;
    }
    total->xMin = std::min(total->xMin, box.xMin);
    total->yMin = std::min(total->yMin, box.yMin);
    total->xMax = std::max(total->xMax, box.xMax);
    total->yMax = std::max(total->yMax, box.yMax);
}

void uniteLayer(std::optional<Box>& total, const host::Ref<host::ILayer>& layer)
{
    if (auto* feature = dynamic_cast<FeatureLayer*>(layer.get())) {
        if (auto box = feature->table().fullExtent()) unite(total, *box);
    } else if (auto* group = dynamic_cast<GroupLayer*>(layer.get())) {
        for (const auto& child : group->layers()) uniteLayer(total, child);
    }
}

} // namespace

host::Ref<host::ILayer> GdalMap::Layer(std::int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_layers.size()) {
        host::raiseError(host::errors::kHostCallFailed,
                         "Layer index " + std::to_string(index) + " is out of range for map " + m_name);
    }
    return m_layers[static_cast<std::size_t>(index)];
}

void GdalMap::insertLayer(std::size_t position, host::Ref<host::ILayer> layer)
{
    position = std::min(position, m_layers.size());
    m_layers.insert(m_layers.begin() + static_cast<std::ptrdiff_t>(position), std::move(layer));
}

void GdalMap::removeLayer(std::size_t position)
{
    if (position < m_layers.size()) m_layers.erase(m_layers.begin() + static_cast<std::ptrdiff_t>(position));
}

std::optional<Box> GdalMap::fullExtent() const
{
    std::optional<Box> total;
    for (const auto& layer : m_layers) uniteLayer(total, layer);
    return total;
}

Box GdalMap::extentBox()
{
    if (!m_extent) return fullExtent().value_or(Box{});
    return *m_extent;
}

host::Ref<host::IEnvelope> GdalMap::Extent() { return host::makeRef<GdalEnvelope>(extentBox()); }

void GdalMap::setExtentBox(const Box& box)
{
    m_extent = box;
    if (m_listener.extentChanged) m_listener.extentChanged(box);
}

void GdalMap::Extent(const host::Ref<host::IEnvelope>& extent) { setExtentBox(boxOf(*extent)); }

void GdalMap::Refresh()
{
    ++m_refreshCount;
    if (m_listener.refreshed) m_listener.refreshed();
}

void PageLayout::Extent(const host::Ref<host::IEnvelope>& extent)
{
    m_page = boxOf(*extent);
    if (m_listener.extentChanged) m_listener.extentChanged(m_page);
}

void PageLayout::Refresh()
{
    ++m_refreshCount;
    if (m_listener.refreshed) m_listener.refreshed();
}

} // namespace corvane::gdal
