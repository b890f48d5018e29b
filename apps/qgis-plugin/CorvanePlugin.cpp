#include "CorvanePlugin.h"

#include <QDir>
#include <QFileInfo>
#include <dlfcn.h>
#include <exception>

#include <qgisinterface.h>
#include <qgsmessagebar.h>

#include "com/Registry.h"
#include "command/CorvaneGIS.h"
#include "qt/Assets.h"

namespace corvane::qgisplugin {

namespace {

// Installed: <plugin folder>/corvane/. In a build tree: the paths CMake gave.
QString besidePlugin(const QString& relative, const char* builtPath)
{
    const QString folder = pluginFolder();
    if (!folder.isEmpty()) {
        const QString installed = QDir(folder).filePath(relative);
        if (QFileInfo::exists(installed)) return QDir::cleanPath(installed);
    }
    const QString built = QString::fromUtf8(builtPath);
    return QFileInfo::exists(built) ? built : QString();
}

} // namespace

QString pluginFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&pluginFolder), &info) == 0 || info.dli_fname == nullptr) return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
}

CorvanePlugin::CorvanePlugin(QgisInterface* iface)
    : QgisPlugin(QString::fromUtf8(kPluginName), QString::fromUtf8(kPluginDescription),
                 QString::fromUtf8(kPluginCategory), QString::fromUtf8(kPluginVersion), QgisPlugin::UI),
      m_iface(iface)
{
}

CorvanePlugin::~CorvanePlugin() { unload(); }

void CorvanePlugin::initGui()
{
    if (m_iface == nullptr || m_button) return;
    try {
        const QString assets = besidePlugin(QStringLiteral("corvane/assets"), "");
        if (!assets.isEmpty()) qt::setAssetDirectory(assets);
        m_services = std::make_unique<PluginServices>(*m_iface);
        m_button = std::make_unique<CommandButton>(*m_iface, host::Ref<host::HostObject>(m_services->application()));
        CommandSource source;
        source.registryPath = com::Registry::defaultPath();
        source.progId = command::kProgId;
        source.bundledLibrary =
            besidePlugin(QStringLiteral("corvane/libCorvaneAddressSearch.so"), CORVANE_COMMAND_LIBRARY).toStdString();
        const QString problem = m_button->load(source);
        if (!problem.isEmpty() && m_iface->messageBar() != nullptr)
            m_iface->messageBar()->pushWarning(QString::fromUtf8(kPluginName), problem);
    } catch (const std::exception& e) {
        if (m_iface->messageBar() != nullptr)
            m_iface->messageBar()->pushCritical(QString::fromUtf8(kPluginName), QString::fromUtf8(e.what()));
    } catch (...) {
        // Nothing may reach QGIS; the plugin simply stays without its button.
    }
}

void CorvanePlugin::unload()
{
    // The command first: its dialogs and frames use the services.
    m_button.reset();
    m_services.reset();
}

} // namespace corvane::qgisplugin
