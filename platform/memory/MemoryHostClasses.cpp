#include "memory/MemoryHostClasses.h"

namespace corvane::memory {

host::Ref<host::HostObject> MemoryHostClasses::create(const std::string& className)
{
    m_context->faults.check("HostClasses.create", className);
    const auto found = m_factories.find(className);
    if (found == m_factories.end()) host::raiseError(host::errors::kCannotCreateObject);
    return found->second();
}

} // namespace corvane::memory
