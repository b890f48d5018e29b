#pragma once
// The memory host's table of classes the system creates by name. A test may
// register more classes or replace one.

#include <map>
#include <string>

#include "host/HostClasses.h"
#include "memory/HostContext.h"

namespace corvane::memory {

class MemoryHostClasses final : public host::HostClasses {
public:
    explicit MemoryHostClasses(ContextPtr context) : m_context(std::move(context)) {}

    void registerClass(const std::string& className, Factory factory) { m_factories[className] = std::move(factory); }
    void unregisterClass(const std::string& className) { m_factories.erase(className); }

    // Raises error 429 for a class that is not registered.
    host::Ref<host::HostObject> create(const std::string& className) override;

private:
    ContextPtr m_context;
    std::map<std::string, Factory> m_factories;
};

} // namespace corvane::memory
