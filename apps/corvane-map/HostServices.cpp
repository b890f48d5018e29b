#include "HostServices.h"

#include <QPointer>
#include <cstdlib>
#include <system_error>

#include "com/ProcessObjects.h"
#include "host/FileSystem.h"
#include "host/HostClasses.h"
#include "host/QueryFilter.h"
#include "qt/ModelessFrame.h"
#include "ui/Toolkit.h"

namespace corvane::map {

namespace {

void publish(const char* name, void* object)
{
#ifdef CORVANE_HAVE_OLE
    CorvanePublishProcessObject(name, object);
#else
    (void)name;
    (void)object;
#endif
}

} // namespace

std::filesystem::path defaultDriveC()
{
    std::filesystem::path data;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0')
        data = xdg;
    else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        data = std::filesystem::path(home) / ".local" / "share";
    else
        data = std::filesystem::temp_directory_path();
    return data / "CorvaneGIS" / "drive_c";
}

HostServices::HostServices(QWidget* frameOwner, host::Ref<host::IApplication> application,
                           const std::filesystem::path& driveC)
    : m_classes(application)
{
    std::error_code ignored;
    std::filesystem::create_directories(driveC / "Program Files", ignored);
    m_fileSystem.mapDrive('C', driveC);

    QPointer<QWidget> owner = frameOwner;
    m_classes.setFactory(host::kModelessFrameClass, [owner]() -> host::Ref<host::HostObject> {
        return host::makeRef<qt::ModelessFrame>(owner.data());
    });
    m_classes.setFactory(host::kQueryFilterClass,
                         []() -> host::Ref<host::HostObject> { return host::makeRef<host::QueryFilter>(); });

    ui::setToolkit(&m_toolkit);
    host::setFileSystem(&m_fileSystem);
    host::setHostClasses(&m_classes);
    publish(com::kToolkitObject, static_cast<ui::Toolkit*>(&m_toolkit));
    publish(com::kFileSystemObject, static_cast<host::FileSystem*>(&m_fileSystem));
    publish(com::kHostClassesObject, static_cast<host::HostClasses*>(&m_classes));
}

HostServices::~HostServices()
{
    publish(com::kToolkitObject, nullptr);
    publish(com::kFileSystemObject, nullptr);
    publish(com::kHostClassesObject, nullptr);
    ui::setToolkit(nullptr);
    host::setFileSystem(nullptr);
    host::setHostClasses(nullptr);
}

} // namespace corvane::map
