#pragma once
// What the map host offers the system and the commands it loads: the Qt
// toolkit, the file system with its drive table, and the classes created by
// name (the application reference, modeless frames over the main window and
// query filters). Installed for the host's own code and published to the
// server libraries for as long as the object lives.

#include <QWidget>
#include <filesystem>
#include <memory>

#include "gdal/GdalHostClasses.h"
#include "host/Application.h"
#include "posix/PosixFileSystem.h"
#include "qt/Toolkit.h"

namespace corvane::map {

// The folder that stands for drive C: ($XDG_DATA_HOME/CorvaneGIS/drive_c,
// or ~/.local/share/...). Created with its "Program Files" folder on first
// start, so the command finds its install location and its configuration
// survives restarts.
[[nodiscard]] std::filesystem::path defaultDriveC();

class HostServices {
public:
    HostServices(QWidget* frameOwner, host::Ref<host::IApplication> application,
                 const std::filesystem::path& driveC = defaultDriveC());
    ~HostServices();
    HostServices(const HostServices&) = delete;
    HostServices& operator=(const HostServices&) = delete;

    [[nodiscard]] qt::Toolkit& toolkit() noexcept { return m_toolkit; }
    [[nodiscard]] posix::PosixFileSystem& fileSystem() noexcept { return m_fileSystem; }
    [[nodiscard]] gdal::GdalHostClasses& classes() noexcept { return m_classes; }

private:
    qt::Toolkit m_toolkit;
    posix::PosixFileSystem m_fileSystem;
    gdal::GdalHostClasses m_classes;
};

} // namespace corvane::map
