#include "host/FileSystem.h"
#include "host/HostClasses.h"

namespace corvane::host {

namespace {
HostClasses* g_hostClasses = nullptr;
FileSystem* g_fileSystem = nullptr;
} // namespace

HostClasses& hostClasses()
{
    if (g_hostClasses == nullptr) raiseError(errors::kCannotCreateObject);
    return *g_hostClasses;
}

void setHostClasses(HostClasses* classes) { g_hostClasses = classes; }

FileSystem& fileSystem()
{
    if (g_fileSystem == nullptr) raiseError(errors::kObjectNotSet);
    return *g_fileSystem;
}

void setFileSystem(FileSystem* fs) { g_fileSystem = fs; }

} // namespace corvane::host
