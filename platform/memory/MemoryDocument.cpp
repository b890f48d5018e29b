#include "memory/MemoryDocument.h"

#include <stdexcept>

namespace corvane::memory {

MemoryDocument::MemoryDocument(ContextPtr context)
    : m_context(context), m_layout(std::make_shared<MemoryPageLayout>(std::move(context)))
{
    setFocusMap(&addMap("Layers"));
}

MemoryMap& MemoryDocument::map() const
{
    if (!m_focus) throw std::logic_error("the document has no focus map");
    return *m_focus;
}

MemoryMap& MemoryDocument::addMap(const std::string& name)
{
    return *m_maps.emplace_back(std::make_shared<MemoryMap>(m_context, name));
}

void MemoryDocument::setFocusMap(MemoryMap* map)
{
    m_focus.reset();
    for (const auto& candidate : m_maps)
        if (candidate.get() == map) m_focus = candidate;
    m_layout->setFocusMap(m_focus);
}

host::Ref<host::IMap> MemoryDocument::FocusMap()
{
    m_context->faults.check("IMxDocument.FocusMap");
    if (!m_focus) return {};
    return m_focus->ref();
}

host::Ref<host::IActiveView> MemoryDocument::ActiveView()
{
    m_context->faults.check("IMxDocument.ActiveView");
    if (m_layoutShown) return host::Ref<host::IActiveView>(m_layout);
    if (!m_focus) return {};
    return host::Ref<host::IActiveView>(std::static_pointer_cast<host::IActiveView>(m_focus));
}

} // namespace corvane::memory
