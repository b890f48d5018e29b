#include "HostAttach.h"

#include "com/ProcessObjects.h"
#include "host/FileSystem.h"
#include "host/HostClasses.h"
#include "ui/Toolkit.h"

namespace corvane::server {

void attachHostServices() noexcept
{
    if (auto* classes = static_cast<host::HostClasses*>(CorvaneProcessObject(com::kHostClassesObject)))
        host::setHostClasses(classes);
    if (auto* files = static_cast<host::FileSystem*>(CorvaneProcessObject(com::kFileSystemObject)))
        host::setFileSystem(files);
    if (auto* toolkit = static_cast<ui::Toolkit*>(CorvaneProcessObject(com::kToolkitObject)))
        ui::setToolkit(toolkit);
}

} // namespace corvane::server
