// The functions QGIS looks for in a C++ plugin library.

#include <map>

#include <qgis.h>
#include <qgisplugin.h>

#include "CorvanePlugin.h"

using corvane::qgisplugin::CorvanePlugin;

namespace {

const QString& text(const char* utf8)
{
    // QGIS keeps the pointers it is given for as long as it runs.
    static std::map<const char*, QString> texts;
    auto [it, added] = texts.try_emplace(utf8, QString::fromUtf8(utf8));
    return it->second;
}

} // namespace

QGISEXTERN QgisPlugin* classFactory(QgisInterface* iface) { return new CorvanePlugin(iface); }
QGISEXTERN const QString* name() { return &text(corvane::qgisplugin::kPluginName); }
QGISEXTERN const QString* description() { return &text(corvane::qgisplugin::kPluginDescription); }
QGISEXTERN const QString* category() { return &text(corvane::qgisplugin::kPluginCategory); }
QGISEXTERN int type() { return QgisPlugin::UI; }
QGISEXTERN const QString* version() { return &text(corvane::qgisplugin::kPluginVersion); }
QGISEXTERN const QString* icon() { return &text(""); }
QGISEXTERN const QString* experimental() { return &text("false"); }
QGISEXTERN void unload(QgisPlugin* plugin) { delete plugin; }
