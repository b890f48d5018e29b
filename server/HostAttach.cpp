#include "HostAttach.h"

#include "com/ProcessObjects.h"
#include "host/FileSystem.h"
#include "host/HostClasses.h"
#include "ui/Toolkit.h"

namespace corvane::server {

void attachHostServices() noexcept
{
    // Mirrored as they stand, withdrawn ones included: a service the host has
    // taken back must read as missing here, never as a dangling pointer.
    host::setHostClasses(static_cast<host::HostClasses*>(CorvaneProcessObject(com::kHostClassesObject)));
    host::setFileSystem(static_cast<host::FileSystem*>(CorvaneProcessObject(com::kFileSystemObject)));
    ui::setToolkit(static_cast<ui::Toolkit*>(CorvaneProcessObject(com::kToolkitObject)));
}

} // namespace corvane::server
