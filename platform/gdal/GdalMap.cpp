#include "gdal/GdalMap.h"

#include <algorithm>

#include "gdal/GdalLayers.h"
#include "gdal/SpatialReference.h"
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

void uniteLayer(std::optional<Box>& total, const host::Ref<host::ILayer>& layer, const Srs& mapSrs)
{
    if (auto* feature = dynamic_cast<FeatureLayer*>(layer.get())) {
        if (auto box = feature->table().fullExtent()) {
            if (auto projected = projectBox(*box, feature->table().schema().srs, mapSrs)) unite(total, *projected);
        }
    } else if (auto* group = dynamic_cast<GroupLayer*>(layer.get())) {
        for (const auto& child : group->layers()) uniteLayer(total, child, mapSrs);
    }
}

Srs firstSrs(const std::vector<host::Ref<host::ILayer>>& layers)
{
    for (const auto& layer : layers) {
        if (auto* feature = dynamic_cast<FeatureLayer*>(layer.get())) {
            if (const Srs& srs = feature->table().schema().srs) return srs;
        } else if (auto* group = dynamic_cast<GroupLayer*>(layer.get())) {
            if (Srs srs = firstSrs(group->layers())) return srs;
        }
    }
    return {};
}

void reportTo(const host::Ref<host::ILayer>& layer, const std::shared_ptr<HandedOutFeatures>& record)
{
    if (auto* feature = dynamic_cast<FeatureLayer*>(layer.get())) {
        feature->table().setHandOuts(record);
    } else if (auto* group = dynamic_cast<GroupLayer*>(layer.get())) {
        for (const auto& child : group->layers()) reportTo(child, record);
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

void GdalMap::addLayer(host::Ref<host::ILayer> layer)
{
    reportTo(layer, m_handOuts);
    m_layers.push_back(std::move(layer));
}

void GdalMap::insertLayer(std::size_t position, host::Ref<host::ILayer> layer)
{
    reportTo(layer, m_handOuts);
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
    const Srs mapSrs = srs();
    for (const auto& layer : m_layers) uniteLayer(total, layer, mapSrs);
    return total;
}

Srs GdalMap::srs() const { return m_chosenSrs ? m_chosenSrs : firstSrs(m_layers); }

void GdalMap::setSrs(Srs chosen)
{
    const Srs before = srs();
    const std::optional<Box> shown = m_extent;
    m_chosenSrs = std::move(chosen);
    if (shown) m_extent = projectBox(*shown, before, srs());
}

Box GdalMap::extentBox()
{
    if (!m_extent) return fullExtent().value_or(Box{});
    return *m_extent;
}

host::Ref<host::IEnvelope> GdalMap::Extent() { return host::makeRef<GdalEnvelope>(extentBox(), srs()); }

void GdalMap::setExtentBox(const Box& box)
{
    m_extent = box;
    if (m_listener.extentChanged) m_listener.extentChanged(box);
}

void GdalMap::Extent(const host::Ref<host::IEnvelope>& extent)
{
    const Box box = boxOf(*extent);
    const Srs from = srsOfEnvelope(*extent);
    const std::optional<Box> projected = projectBox(box, from, srs());
    if (!projected) {
        host::raiseError(host::errors::kHostCallFailed,
                         "The extent cannot be projected from " + srsLabel(from) + " to " + srsLabel(srs()));
    }
    setExtentBox(*projected);
}

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
