#pragma once
// The map host's main window: the map canvas (data view or page layout),
// File and View menus, a toolbar with the full extent and the registered
// commands, a layer panel, and a status bar whose progress display the
// system drives, beside the map's scale and the pointer's coordinates.

#include <QMainWindow>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "CommandBar.h"
#include "DesktopSettings.h"
#include "HostServices.h"
#include "LayerPanel.h"
#include "MapCanvas.h"
#include "StatusProgress.h"
#include "gdal/GdalDocument.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace corvane::map {

struct HostOptions {
    std::filesystem::path driveC = defaultDriveC();
    std::string registryPath;  // empty: the default registry
    // A command library shipped with the host, registered when the registry
    // offers no command yet (a first start). Empty: none.
    std::string bundledCommand;
    bool interactive = true;   // false: problems go to stderr, not to boxes
    // Where the host keeps what it remembers; empty: the user's settings.
    QString settingsFile;
};

class MainWindow final : public QMainWindow {
public:
    explicit MainWindow(HostOptions options = {});
    ~MainWindow() override;

    // Replaces the map by the layers of these files. On failure the map
    // stays as it was and the problem is returned (and shown).
    QString openFiles(const std::vector<std::string>& paths);
    // Adds the layers of these sources (files or PG: connection strings) on
    // top of the map. On failure the map stays as it was.
    QString addSources(const std::vector<std::string>& sources);
    // Loads the registered commands onto the toolbar, then the named ones
    // (class identifiers or ProgIDs); returns the problems.
    QStringList loadCommands(const std::vector<std::string>& extra = {});

    void showLayoutView(bool layout);

    [[nodiscard]] MapCanvas& canvas() const noexcept { return *m_canvas; }
    [[nodiscard]] CommandBar& commands() noexcept { return *m_commands; }
    [[nodiscard]] HostServices& services() noexcept { return *m_services; }
    [[nodiscard]] StatusProgressor& progressor() const noexcept { return m_statusBar->progressor(); }
    [[nodiscard]] const std::shared_ptr<gdal::GdalDocument>& document() const noexcept { return m_document; }
    [[nodiscard]] const host::Ref<host::IApplication>& application() const noexcept { return m_application; }
    [[nodiscard]] LayerPanel& layerPanel() const noexcept { return *m_layerPanel; }
    [[nodiscard]] DesktopSettings& settings() noexcept { return m_settings; }
    // The status bar's texts: "1:2,500" and the pointer's coordinates.
    [[nodiscard]] QString scaleText() const;
    [[nodiscard]] QString coordinatesText() const;
    void showPointer(const QPointF& mapPoint);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void report(const QString& problem);
    void chooseFiles();
    void chooseDatabaseLayers();
    void chooseMapSrs();
    void fillRecentMenu();
    void showScale();

    HostOptions m_options;
    DesktopSettings m_settings;
    std::shared_ptr<gdal::GdalDocument> m_document;
    std::shared_ptr<StatusBar> m_statusBar;
    host::Ref<host::IApplication> m_application;
    MapCanvas* m_canvas = nullptr;
    QToolBar* m_mapTools = nullptr;
    QToolBar* m_commandTools = nullptr;
    QAction* m_dataViewAction = nullptr;
    QAction* m_layoutViewAction = nullptr;
    QMenu* m_recentMenu = nullptr;
    LayerPanel* m_layerPanel = nullptr;
    QLabel* m_scaleLabel = nullptr;
    QLabel* m_pointerLabel = nullptr;
    std::unique_ptr<HostServices> m_services;
    std::unique_ptr<CommandBar> m_commands;
};

} // namespace corvane::map
