#include "CommandBar.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <exception>

#include "com/ComServerLoader.h"
#include "com/GuidText.h"
#include "com/Server.h"

namespace corvane::map {

CommandBar::CommandBar(QToolBar& toolbar, QMenu& menu, host::Ref<host::HostObject> application)
    : m_toolbar(toolbar), m_menu(menu), m_application(std::move(application))
{
}

CommandBar::~CommandBar() { releaseAll(); }

void CommandBar::releaseAll()
{
    for (Loaded& loaded : m_commands) {
        if (loaded.action != nullptr) m_toolbar.removeAction(loaded.action);
        delete loaded.action;
        loaded.command.reset();
    }
    m_commands.clear();
    m_menu.clear();
    // Unload what agrees now, while the windows its forms made can still go.
    if (m_loader) m_loader->freeUnusedLibraries();
}

QStringList CommandBar::loadRegistered(const std::string& registryPath)
{
    QStringList problems;
    try {
        if (!m_loader) m_loader = std::make_unique<com::ComServerLoader>(registryPath);
        // One reading of the registry for the whole toolbar: re-reading it
        // per class made a large registry take quadratic time.
        for (const com::RegisteredClass& c : m_loader->classesInCategory(com::kMapCommandsCategory)) {
            try {
                add(m_loader->createCommand(c));
            } catch (const std::exception& e) {
                problems << QStringLiteral("The command %1 (registry entry %2) could not be loaded: %3")
                                .arg(QString::fromStdString(c.name), QString::fromStdString(com::classKey(c.clsid)),
                                     QString::fromUtf8(e.what()));
            }
        }
    } catch (const std::exception& e) {
        problems << QStringLiteral("The registered commands could not be read: %1").arg(QString::fromUtf8(e.what()));
    }
    return problems;
}

QStringList CommandBar::load(const std::string& registryPath, const std::string& classOrProgId)
{
    try {
        if (!m_loader) m_loader = std::make_unique<com::ComServerLoader>(registryPath);
        add(m_loader->createCommand(classOrProgId));
        return {};
    } catch (const std::exception& e) {
        return {QStringLiteral("The command %1 could not be loaded: %2")
                    .arg(QString::fromStdString(classOrProgId), QString::fromUtf8(e.what()))};
    }
}

void CommandBar::add(com::ComPtr<ICommand> command)
{
    if (!command) return;
    Loaded loaded;
    QAction* action = qt::makeCommandAction(*command.get(), m_application, &m_toolbar, loaded.info);
    m_toolbar.addAction(action);
    QMenu* category = nullptr;
    for (QAction* existing : m_menu.actions())
        if (existing->menu() != nullptr && existing->text() == loaded.info.category) category = existing->menu();
    if (category == nullptr) category = m_menu.addMenu(loaded.info.category.isEmpty() ? QStringLiteral("Other") : loaded.info.category);
    category->addAction(action);
    loaded.action = action;
    loaded.command = std::move(command);
    m_commands.push_back(std::move(loaded));
}

bool CommandBar::press(const QString& captionOrName)
{
    for (const Loaded& loaded : m_commands) {
        if (loaded.info.caption == captionOrName || loaded.info.name == captionOrName) {
            loaded.action->trigger();
            return true;
        }
    }
    return false;
}

} // namespace corvane::map
