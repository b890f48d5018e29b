#include "memory/MemoryApplication.h"

namespace corvane::memory {

host::Ref<host::IDocument> MemoryApplication::Document()
{
    m_context->faults.check("IApplication.Document");
    if (!m_document) return {};
    return host::Ref<host::IDocument>(m_document);
}

host::Ref<host::IStatusBar> MemoryApplication::StatusBar()
{
    m_context->faults.check("IApplication.StatusBar");
    return host::Ref<host::IStatusBar>(m_statusBar);
}

} // namespace corvane::memory
