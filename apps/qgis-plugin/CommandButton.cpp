#include "CommandButton.h"

#include <QAction>
#include <QMainWindow>
#include <exception>

#include <qgisinterface.h>

#include "CommandInstall.h"
#include "com/ComServerLoader.h"
#include "qt/CommandAction.h"

namespace corvane::qgisplugin {

CommandButton::CommandButton(QgisInterface& iface, host::Ref<host::HostObject> application)
    : m_iface(iface), m_application(std::move(application))
{
}

CommandButton::~CommandButton() { release(); }

com::ComPtr<ICommand> CommandButton::create(const CommandSource& source)
{
    if (!m_loader) m_loader = std::make_unique<com::ComServerLoader>(source.registryPath);
    try {
        return m_loader->createCommand(source.progId);
    } catch (const std::exception&) {
        // Not registered yet, or left by a build that is gone.
        if (source.bundledLibrary.empty()) throw;
    }
    map::installCommandLibrary(source.registryPath, source.bundledLibrary);
    return m_loader->createCommand(source.progId);
}

QString CommandButton::load(const CommandSource& source)
{
    release();
    try {
        com::ComPtr<ICommand> command = create(source);
        if (!command) return QStringLiteral("The command %1 could not be created").arg(QString::fromStdString(source.progId));
        qt::CommandLook look;
        QAction* action = qt::makeCommandAction(*command.get(), m_application, m_iface.mainWindow(), look);
        m_menu = look.category.isEmpty() ? look.caption : look.category;
        m_iface.addToolBarIcon(action);
        m_iface.addPluginToMenu(m_menu, action);
        m_action = action;
        m_command = std::move(command);
        return {};
    } catch (const std::exception& e) {
        return QStringLiteral("The command %1 could not be loaded: %2")
            .arg(QString::fromStdString(source.progId), QString::fromUtf8(e.what()));
    } catch (...) {
        return QStringLiteral("The command %1 could not be loaded").arg(QString::fromStdString(source.progId));
    }
}

void CommandButton::release() noexcept
{
    if (m_action != nullptr) {
        m_iface.removePluginMenu(m_menu, m_action);
        m_iface.removeToolBarIcon(m_action);
        delete m_action;
        m_action = nullptr;
    }
    m_command.reset();
    try {
        // Unload what agrees now, while the windows its forms made can still go.
        if (m_loader) m_loader->freeUnusedLibraries();
    } catch (...) {
        // QGIS is unloading the plugin: a library that stays loaded harms no one.
    }
}

} // namespace corvane::qgisplugin
