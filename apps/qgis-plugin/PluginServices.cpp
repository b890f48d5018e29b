#include "PluginServices.h"

#include <qgisinterface.h>
#include <qgsapplication.h>
#include <qgsproject.h>
#include <system_error>

#include "com/ProcessObjects.h"
#include "host/FileSystem.h"
#include "host/HostClasses.h"
#include "qgis/QgisDocument.h"
#include "ui/Toolkit.h"

namespace corvane::qgisplugin {

std::filesystem::path profileDriveC()
{
    return std::filesystem::path(QgsApplication::qgisSettingsDirPath().toStdString()) / "corvane" / "drive_c";
}

PluginServices::PluginServices(QgisInterface& iface, const std::filesystem::path& driveC)
    : m_statusBar(std::make_shared<qgis::QgisStatusBar>(iface.statusBarIface())),
      m_application(host::makeRef<qgis::QgisApplication>(
          std::make_shared<qgis::QgisDocument>(QgsProject::instance(), iface.mapCanvas()),
          host::Ref<host::IStatusBar>(m_statusBar))),
      m_classes(m_application, iface.mainWindow())
{
    std::error_code ignored;
    std::filesystem::create_directories(driveC / "Program Files", ignored);
    m_fileSystem.mapDrive('C', driveC);

    ui::setToolkit(&m_toolkit);
    host::setFileSystem(&m_fileSystem);
    host::setHostClasses(&m_classes);
    CorvanePublishProcessObject(com::kToolkitObject, static_cast<ui::Toolkit*>(&m_toolkit));
    CorvanePublishProcessObject(com::kFileSystemObject, static_cast<host::FileSystem*>(&m_fileSystem));
    CorvanePublishProcessObject(com::kHostClassesObject, static_cast<host::HostClasses*>(&m_classes));
}

PluginServices::~PluginServices()
{
    CorvanePublishProcessObject(com::kToolkitObject, nullptr);
    CorvanePublishProcessObject(com::kFileSystemObject, nullptr);
    CorvanePublishProcessObject(com::kHostClassesObject, nullptr);
    ui::setToolkit(nullptr);
    host::setFileSystem(nullptr);
    host::setHostClasses(nullptr);
}

} // namespace corvane::qgisplugin
