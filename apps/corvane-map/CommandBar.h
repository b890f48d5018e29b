#pragma once
// The toolbar of the commands registered on this machine. Each command is
// created through the COM surface (registry, library, class factory),
// queried for ICommand, given the application in OnCreate and clicked on
// each press; all are released when the bar goes. A command that cannot be
// loaded leaves a message and the rest of the host running.

#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "com/ComPtr.h"
#include "com/ICommand.h"
#include "host/Ref.h"
#include "qt/CommandAction.h"

class QAction;
class QMenu;
class QToolBar;

namespace corvane::com {
class ComServerLoader;
}

namespace corvane::map {

using CommandInfo = qt::CommandLook;

class CommandBar {
public:
    // menu: where each command is also listed, under its category.
    CommandBar(QToolBar& toolbar, QMenu& menu, host::Ref<host::HostObject> application);
    ~CommandBar();
    CommandBar(const CommandBar&) = delete;
    CommandBar& operator=(const CommandBar&) = delete;

    // Loads every command of the map commands category from the registry
    // at `registryPath`. Returns the problems met, one line each.
    QStringList loadRegistered(const std::string& registryPath);
    // Adds one command by class identifier or ProgID.
    QStringList load(const std::string& registryPath, const std::string& classOrProgId);

    [[nodiscard]] std::size_t count() const noexcept { return m_commands.size(); }
    [[nodiscard]] QAction* action(std::size_t index) const { return m_commands.at(index).action; }
    [[nodiscard]] const CommandInfo& info(std::size_t index) const { return m_commands.at(index).info; }
    // Presses the first command whose caption or name matches.
    bool press(const QString& captionOrName);
    // Releases every command (OnCreate's hook goes with them).
    void releaseAll();

private:
    struct Loaded {
        com::ComPtr<ICommand> command;
        CommandInfo info;
        QAction* action = nullptr;
    };

    void add(com::ComPtr<ICommand> command);

    QToolBar& m_toolbar;
    QMenu& m_menu;
    host::Ref<host::HostObject> m_application;
    std::unique_ptr<com::ComServerLoader> m_loader;
    std::vector<Loaded> m_commands;
};

} // namespace corvane::map
