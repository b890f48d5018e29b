#pragma once
// The command on QGIS's plugin toolbar and in its Plugins menu. The command
// is created through its COM surface as the map host does it: by ProgID
// from the registry, and when the registry has no usable entry, after
// registering the command library that ships with the plugin. It gets the
// host's application in OnCreate and OnClick on each press, and is released
// with the button. UI thread only; nothing thrown here reaches QGIS.

#include <QString>
#include <memory>
#include <string>

#include "com/ComPtr.h"
#include "com/ICommand.h"
#include "host/Ref.h"

class QAction;
class QgisInterface;

namespace corvane::com {
class ComServerLoader;
}

namespace corvane::qgisplugin {

struct CommandSource {
    std::string registryPath;
    std::string progId;
    std::string bundledLibrary;  // registered when the registry offers no usable entry; may be empty
};

class CommandButton {
public:
    CommandButton(QgisInterface& iface, host::Ref<host::HostObject> application);
    ~CommandButton();
    CommandButton(const CommandButton&) = delete;
    CommandButton& operator=(const CommandButton&) = delete;

    // Creates the command and puts its button up. Returns the problem met,
    // or an empty text.
    QString load(const CommandSource& source);
    // Takes the button down and releases the command (and its library when it agrees).
    void release() noexcept;

    [[nodiscard]] QAction* action() const noexcept { return m_action; }

private:
    com::ComPtr<ICommand> create(const CommandSource& source);

    QgisInterface& m_iface;
    host::Ref<host::HostObject> m_application;
    std::unique_ptr<com::ComServerLoader> m_loader;
    com::ComPtr<ICommand> m_command;
    QAction* m_action = nullptr;
    QString m_menu;
};

} // namespace corvane::qgisplugin
