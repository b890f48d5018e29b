#pragma once
// The QGIS plugin that puts the address search command into QGIS. QGIS
// creates it through classFactory when the plugin is enabled, calls
// initGui once and unload before it deletes it; both run on QGIS's UI
// thread and let nothing escape to QGIS.

#include <QString>
#include <memory>

#include <qgisplugin.h>

#include "CommandButton.h"
#include "PluginServices.h"

class QgisInterface;

namespace corvane::qgisplugin {

inline constexpr const char* kPluginName = "Corvane Address Search";
inline constexpr const char* kPluginDescription = "Zoom to an address: pick a street and a house number of a parcel layer";
inline constexpr const char* kPluginCategory = "Plugins";
inline constexpr const char* kPluginVersion = "2.15";

class CorvanePlugin final : public QgisPlugin {
public:
    explicit CorvanePlugin(QgisInterface* iface);
    ~CorvanePlugin() override;
    CorvanePlugin(const CorvanePlugin&) = delete;
    CorvanePlugin& operator=(const CorvanePlugin&) = delete;

    void initGui() override;
    void unload() override;

private:
    QgisInterface* m_iface;
    std::unique_ptr<PluginServices> m_services;
    std::unique_ptr<CommandButton> m_button;
};

// Where this plugin library lies (for the command library and assets
// installed beside it); empty when unknown.
[[nodiscard]] QString pluginFolder();

} // namespace corvane::qgisplugin
