#pragma once
// The toolbar action of a command loaded through its COM surface, for the
// hosts built on Qt (the map host and the QGIS plugin). Making it reads the
// command's texts and enabled state, hands the command the host's
// application in OnCreate, and ties each trigger to OnClick. The action
// does not own the command: the host keeps the command alive while the
// action lives. UI thread only.
//
//   CommandLook look;
//   QAction* action = makeCommandAction(*command, application, toolbar, look);

#include <QAction>
#include <QString>

#include "com/ICommand.h"
#include "host/Ref.h"

namespace corvane::qt {

// What the command says of itself; a text it does not give is empty.
struct CommandLook {
    QString name, caption, tooltip, message, category;
};

[[nodiscard]] QAction* makeCommandAction(ICommand& command, const host::Ref<host::HostObject>& application,
                                         QObject* parent, CommandLook& look);

} // namespace corvane::qt
