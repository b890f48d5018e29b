#include "qgis/QgisHostClasses.h"

#include "host/ModelessFrame.h"
#include "host/QueryFilter.h"
#include "qt/ModelessFrame.h"

namespace corvane::qgis {

QgisHostClasses::QgisHostClasses(host::Ref<host::IApplication> application, QWidget* frameOwner)
    : m_application(std::move(application)), m_frameOwner(frameOwner)
{
}

host::Ref<host::HostObject> QgisHostClasses::create(const std::string& className)
{
    if (className == host::kAppRefClass) return host::Ref<host::HostObject>(m_application);
    if (className == host::kQueryFilterClass) return host::Ref<host::HostObject>(host::makeRef<host::QueryFilter>());
    if (className == host::kModelessFrameClass)
        return host::Ref<host::HostObject>(host::makeRef<qt::ModelessFrame>(m_frameOwner.data()));
    host::raiseError(host::errors::kCannotCreateObject,
                     host::standardErrorText(host::errors::kCannotCreateObject) + ": " + className);
}

} // namespace corvane::qgis
