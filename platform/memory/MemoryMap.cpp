#include "memory/MemoryMap.h"

#include "memory/MemoryGeometry.h"

namespace corvane::memory {

namespace {

constexpr std::int32_t kInvalidPointer = static_cast<std::int32_t>(0x80004003u);

Box requiredBox(const host::Ref<host::IEnvelope>& extent)
{
    if (extent.isNothing()) host::raiseError(kInvalidPointer, "Invalid pointer: the extent is not set");
    return boxOf(extent);
}

} // namespace

std::int32_t MemoryMap::LayerCount()
{
    m_context->faults.check("IMap.LayerCount");
    return m_layers.count();
}

host::Ref<host::ILayer> MemoryMap::Layer(std::int32_t index)
{
    m_context->faults.check("IMap.Layer");
    return m_layers.at(index);
}

host::Ref<host::IMap> MemoryMap::FocusMap()
{
    m_context->faults.check("IActiveView.FocusMap");
    return ref();
}

host::Ref<host::IEnvelope> MemoryMap::Extent()
{
    m_context->faults.check("IActiveView.Extent");
    return host::makeRef<MemoryEnvelope>(m_context, m_extent);
}

void MemoryMap::Extent(const host::Ref<host::IEnvelope>& extent)
{
    m_context->faults.check("IActiveView.Extent=");
    m_extent = requiredBox(extent);
    m_context->journal.record(ViewRecord{"Map " + m_name, ViewAction::SetExtent, m_extent});
}

void MemoryMap::Refresh()
{
    m_context->faults.check("IActiveView.Refresh");
    ++m_refreshes;
    m_context->journal.record(ViewRecord{"Map " + m_name, ViewAction::Refresh, m_extent});
}

host::Ref<host::IMap> MemoryPageLayout::FocusMap()
{
    m_context->faults.check("IActiveView.FocusMap");
    if (!m_map) return {};
    return m_map->ref();
}

host::Ref<host::IEnvelope> MemoryPageLayout::Extent()
{
    m_context->faults.check("IActiveView.Extent");
    return host::makeRef<MemoryEnvelope>(m_context, m_extent);
}

void MemoryPageLayout::Extent(const host::Ref<host::IEnvelope>& extent)
{
    m_context->faults.check("IActiveView.Extent=");
    m_extent = requiredBox(extent);
    m_context->journal.record(ViewRecord{"PageLayout", ViewAction::SetExtent, m_extent});
}

void MemoryPageLayout::Refresh()
{
    m_context->faults.check("IActiveView.Refresh");
    ++m_refreshes;
    m_context->journal.record(ViewRecord{"PageLayout", ViewAction::Refresh, m_extent});
}

} // namespace corvane::memory
