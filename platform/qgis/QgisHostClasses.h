#pragma once
// The classes the system creates by name inside QGIS: the application
// reference (the running QGIS host application), query filters, and
// modeless frames, which are tool windows owned by QGIS's main window.
// Registered by the plugin before it loads the command; UI thread only.
//
//   QgisHostClasses classes(application, iface->mainWindow());
//   host::setHostClasses(&classes);

#include <QPointer>
#include <QWidget>

#include "host/Application.h"
#include "host/HostClasses.h"

namespace corvane::qgis {

class QgisHostClasses final : public host::HostClasses {
public:
    // frameOwner: the window the frames stay over; may be null.
    QgisHostClasses(host::Ref<host::IApplication> application, QWidget* frameOwner);

    // Raises 429 for a class the host does not offer.
    host::Ref<host::HostObject> create(const std::string& className) override;

private:
    host::Ref<host::IApplication> m_application;
    QPointer<QWidget> m_frameOwner;
};

} // namespace corvane::qgis
