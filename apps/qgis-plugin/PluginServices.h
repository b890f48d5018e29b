#pragma once
// What the QGIS plugin offers the system and the command library it loads:
// the application over QGIS's project, canvas and status bar, the Qt 5
// toolkit, the file system with drive C: inside the user's QGIS profile,
// and the classes created by name. Installed for the plugin's own code and
// published to the server libraries (libcorvane_ole) for as long as the
// object lives; withdrawn when it goes. UI thread only.

#include <QString>
#include <filesystem>
#include <memory>

#include "host/Application.h"
#include "posix/PosixFileSystem.h"
#include "qgis/QgisHostClasses.h"
#include "qgis/QgisStatusProgress.h"
#include "qt/Toolkit.h"

class QgisInterface;

namespace corvane::qgisplugin {

// The folder that stands for drive C: (<profile>/corvane/drive_c), so the
// command's configuration file lives with the QGIS profile.
[[nodiscard]] std::filesystem::path profileDriveC();

class PluginServices {
public:
    explicit PluginServices(QgisInterface& iface, const std::filesystem::path& driveC = profileDriveC());
    ~PluginServices();
    PluginServices(const PluginServices&) = delete;
    PluginServices& operator=(const PluginServices&) = delete;

    [[nodiscard]] const host::Ref<host::IApplication>& application() const noexcept { return m_application; }
    [[nodiscard]] qt::Toolkit& toolkit() noexcept { return m_toolkit; }

private:
    std::shared_ptr<qgis::QgisStatusBar> m_statusBar;
    host::Ref<host::IApplication> m_application;
    qt::Toolkit m_toolkit;
    posix::PosixFileSystem m_fileSystem;
    qgis::QgisHostClasses m_classes;
};

} // namespace corvane::qgisplugin
