#include "memory/MemoryHost.h"

#include <stdexcept>

#include "memory/MemoryQueryFilter.h"

namespace corvane::memory {

MemoryHost::MemoryHost()
    : m_context(std::make_shared<HostContext>()), m_app(std::make_shared<MemoryApplication>(m_context)),
      m_classes(std::make_unique<MemoryHostClasses>(m_context))
{
    m_app->setDocument(std::make_shared<MemoryDocument>(m_context));
    m_classes->registerClass(host::kAppRefClass, [app = m_app] { return host::Ref<host::HostObject>(app); });
    m_classes->registerClass(host::kModelessFrameClass, [this] {
        auto frame = std::make_shared<MemoryModelessFrame>(m_context, static_cast<std::int32_t>(m_frames.size() + 1));
        m_frames.push_back(frame);
        return host::Ref<host::HostObject>(frame);
    });
    m_classes->registerClass(host::kQueryFilterClass, [context = m_context] {
        return host::Ref<host::HostObject>(std::make_shared<MemoryQueryFilter>(context));
    });
    host::setHostClasses(m_classes.get());
}

MemoryHost::~MemoryHost()
{
    // hostClasses() raises when none is set, so compare through a guarded call.
    try {
        if (&host::hostClasses() == m_classes.get()) host::setHostClasses(nullptr);
    } catch (const host::HostError&) {
    }
}

MemoryDocument& MemoryHost::document() const
{
    if (!m_app->document()) throw std::logic_error("no document is open");
    return *m_app->document();
}

MemoryDocument& MemoryHost::openDocument()
{
    auto document = std::make_shared<MemoryDocument>(m_context);
    m_app->setDocument(document);
    return *document;
}

} // namespace corvane::memory
