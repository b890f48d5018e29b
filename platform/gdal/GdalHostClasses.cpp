#include "gdal/GdalHostClasses.h"

#include "gdal/Recorders.h"
#include "host/QueryFilter.h"

namespace corvane::gdal {

GdalHostClasses::GdalHostClasses(host::Ref<host::IApplication> application)
{
    m_factories[host::kAppRefClass] = [application] { return host::Ref<host::HostObject>(application); };
    m_factories[host::kQueryFilterClass] = [] { return host::Ref<host::HostObject>(host::makeRef<host::QueryFilter>()); };
    m_factories[host::kModelessFrameClass] = [] {
        return host::Ref<host::HostObject>(host::makeRef<RecordingModelessFrame>());
    };
}

host::Ref<host::HostObject> GdalHostClasses::create(const std::string& className)
{
    const auto found = m_factories.find(className);
    if (found == m_factories.end() || !found->second) {
        host::raiseError(host::errors::kCannotCreateObject,
                         host::standardErrorText(host::errors::kCannotCreateObject) + ": " + className);
    }
    return found->second();
}

} // namespace corvane::gdal
