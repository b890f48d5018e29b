#include "MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>
#include <cmath>
#include <iostream>

#include "CommandInstall.h"
#include "DatabaseLayersDialog.h"
#include "MapPropertiesDialog.h"
#include "gdal/SpatialReference.h"
#include "com/Registry.h"
#include "gdal/MapBuilder.h"
#include "gdal/PgSources.h"
#include "host/HostError.h"

namespace corvane::map {

MainWindow::MainWindow(HostOptions options)
    : m_options(std::move(options)), m_settings(m_options.settingsFile),
      m_document(std::make_shared<gdal::GdalDocument>())
{
    setObjectName(QStringLiteral("CorvaneMap"));
    setWindowTitle(QStringLiteral("Corvane Map"));
    m_statusBar = std::make_shared<StatusBar>(statusBar());
    m_application = host::makeRef<gdal::GdalApplication>(m_document, host::Ref<host::IStatusBar>(m_statusBar));
    m_services = std::make_unique<HostServices>(this, m_application, m_options.driveC);

    m_canvas = new MapCanvas(m_document, this);
    m_canvas->setStatusListener([this](const QString& text) {
        // Done indexing: back to what the bar said before.
        if (text.isEmpty())
            statusBar()->showMessage(QStringLiteral("Ready"));
        else
            statusBar()->showMessage(text);
    });
    setCentralWidget(m_canvas);
    m_layerPanel = new LayerPanel(*m_canvas, this);
    addDockWidget(Qt::LeftDockWidgetArea, m_layerPanel);
    m_layerPanel->lookChanged = [this] { m_settings.saveLooks(*m_document->map(), m_canvas->look()); };
    m_scaleLabel = new QLabel(this);
    m_scaleLabel->setObjectName(QStringLiteral("MapScale"));
    m_scaleLabel->setMinimumWidth(110);
    m_pointerLabel = new QLabel(this);
    m_pointerLabel->setObjectName(QStringLiteral("PointerCoordinates"));
    m_pointerLabel->setMinimumWidth(220);
    statusBar()->addPermanentWidget(m_scaleLabel);
    statusBar()->addPermanentWidget(m_pointerLabel);
    m_canvas->redrawn = [this] { showScale(); };
    m_canvas->pointerMoved = [this](const QPointF& at) { showPointer(at); };
    buildMenus();
    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    m_commands = std::make_unique<CommandBar>(*m_commandTools, *tools, host::Ref<host::HostObject>(m_application));
    statusBar()->showMessage(QStringLiteral("Ready"));
    restoreGeometry(m_settings.windowGeometry());
    restoreState(m_settings.windowState());
}

MainWindow::~MainWindow()
{
    // Commands first: their dialogs and frames use the services.
    m_commands->releaseAll();
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* open = file->addAction(QStringLiteral("&Open..."), this, [this] { chooseFiles(); });
    open->setShortcut(QKeySequence::Open);
    file->addAction(QStringLiteral("Add &Database Layers..."), this, [this] { chooseDatabaseLayers(); })
        ->setObjectName(QStringLiteral("AddDatabaseLayers"));
    m_recentMenu = file->addMenu(QStringLiteral("&Recent Files"));
    m_recentMenu->setObjectName(QStringLiteral("RecentFiles"));
    fillRecentMenu();
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), this, [this] { close(); });

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    auto* views = new QActionGroup(this);
    m_dataViewAction = view->addAction(QStringLiteral("&Data View"), this, [this] { showLayoutView(false); });
    m_layoutViewAction = view->addAction(QStringLiteral("&Layout View"), this, [this] { showLayoutView(true); });
    for (QAction* a : {m_dataViewAction, m_layoutViewAction}) {
        a->setCheckable(true);
        views->addAction(a);
    }
    m_dataViewAction->setChecked(true);
    view->addSeparator();
    QAction* full = view->addAction(QStringLiteral("&Full Extent"), this, [this] { m_canvas->zoomToFullExtent(); });
    full->setObjectName(QStringLiteral("FullExtent"));
    full->setToolTip(QStringLiteral("Zoom to the full extent of the map"));
    view->addAction(QStringLiteral("&Map Properties..."), this, [this] { chooseMapSrs(); });
    view->addSeparator();
    view->addAction(m_layerPanel->toggleViewAction());

    m_mapTools = addToolBar(QStringLiteral("Map"));
    m_mapTools->setObjectName(QStringLiteral("MapTools"));
    m_mapTools->addAction(full);
    m_mapTools->addAction(m_dataViewAction);
    m_mapTools->addAction(m_layoutViewAction);
    m_commandTools = addToolBar(QStringLiteral("Commands"));
    m_commandTools->setObjectName(QStringLiteral("Commands"));
    m_commandTools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void MainWindow::showLayoutView(bool layout)
{
    (layout ? m_layoutViewAction : m_dataViewAction)->setChecked(true);
    m_canvas->setLayoutView(layout);
}

QString MainWindow::openFiles(const std::vector<std::string>& paths)
{
    try {
        std::shared_ptr<gdal::GdalMap> map = gdal::openMap(paths);
        const std::vector<std::string> warnings = map->warnings();
        m_document->setMap(std::move(map));
        m_canvas->attachMap();
        MapLook look = m_canvas->look();
        m_settings.restoreLooks(*m_document->map(), look);
        m_canvas->setLook(std::move(look));
        m_canvas->zoomToFullExtent();
        m_layerPanel->rebuild();
        QStringList names;
        QStringList files;
        for (const auto& p : paths) {
            const bool database = gdal::isPostgresConnection(p);
            names << QString::fromStdString(database ? gdal::connectionTitle(p)
                                                     : std::filesystem::path(p).filename().string());
            files << (database ? QString::fromStdString(p) : QFileInfo(QString::fromStdString(p)).absoluteFilePath());
        }
        setWindowTitle(QStringLiteral("%1 - Corvane Map").arg(names.join(QStringLiteral(", "))));
        m_settings.addRecentFiles(files);
        fillRecentMenu();
        for (const std::string& warning : warnings) report(QString::fromStdString(warning));
        return {};
    } catch (const host::HostError& e) {
        const QString problem = QString::fromStdString(e.description());
        report(problem);
        return problem;
    } catch (const std::exception& e) {
        const QString problem = QString::fromUtf8(e.what());
        report(problem);
        return problem;
    }
}

QStringList MainWindow::loadCommands(const std::vector<std::string>& extra)
{
    const std::string path = m_options.registryPath.empty() ? com::Registry::defaultPath() : m_options.registryPath;
    QStringList problems = m_commands->loadRegistered(path);
    // Nothing usable registered (a first start, or a registration left by a
    // build that is gone): register the library that ships with this host.
    // What was wrong with the registered entries is still said, once each.
    if (m_commands->count() == 0 && !m_options.bundledCommand.empty()) {
        try {
            installCommandLibrary(path, m_options.bundledCommand);
            for (const QString& problem : m_commands->loadRegistered(path))
                if (!problems.contains(problem)) problems << problem;
        } catch (const std::exception& e) {
            problems << QStringLiteral("The command library could not be registered: %1").arg(QString::fromUtf8(e.what()));
        }
    }
    for (const std::string& id : extra) problems << m_commands->load(path, id);
    if (m_commands->count() == 0 && problems.isEmpty())
        problems << QStringLiteral("No command is registered in %1.").arg(QString::fromStdString(path));
    for (const QString& p : problems) report(p);
    return problems;
}

void MainWindow::report(const QString& problem)
{
    statusBar()->showMessage(problem);
    if (m_options.interactive)
        QMessageBox::warning(this, windowTitle(), problem);
    else
        std::cerr << "corvane-map: " << problem.toStdString() << '\n';
}

void MainWindow::chooseFiles()
{
    const QStringList files = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Open GIS files"), m_settings.lastFolder(),
        QStringLiteral("GIS files (*.gpkg *.shp *.geojson *.json *.gdb *.csv *.kml *.gml *.sqlite);;All files (*)"));
    if (files.isEmpty()) return;
    m_settings.setLastFolder(QFileInfo(files.front()).absolutePath());
    std::vector<std::string> paths;
    for (const QString& f : files) paths.push_back(f.toStdString());
    openFiles(paths);
}

QString MainWindow::addSources(const std::vector<std::string>& sources)
{
    try {
        std::vector<host::Ref<host::ILayer>> layers;
        for (const auto& source : sources) {
            for (auto& layer : gdal::openGisFile(source)) layers.push_back(std::move(layer));
        }
        const auto& map = m_document->map();
        const bool first = map->layers().empty();
        for (std::size_t i = 0; i < layers.size(); ++i) map->insertLayer(i, layers[i]);
        m_canvas->attachMap();
        if (first) m_canvas->zoomToFullExtent();
        else m_canvas->redraw();
        m_layerPanel->rebuild();
        return {};
    } catch (const std::exception& e) {
        const QString problem = QString::fromUtf8(e.what());
        report(problem);
        return problem;
    }
}

void MainWindow::chooseDatabaseLayers()
{
    DatabaseLayersDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::string connection = dialog.connection();
    if (!connection.empty()) addSources({connection});
}

void MainWindow::chooseMapSrs()
{
    if (!editMapSrs(this, *m_document->map())) return;
    m_canvas->redraw();
    m_layerPanel->rebuild();
}

void MainWindow::fillRecentMenu()
{
    m_recentMenu->clear();
    for (const QString& entry : m_settings.recentFiles()) {
        const QStringList files = entry.split(QLatin1Char('\n'));
        QStringList names;
        for (const QString& f : files) names << QFileInfo(f).fileName();
        QAction* action = m_recentMenu->addAction(names.join(QStringLiteral(", ")), this, [this, files] {
            std::vector<std::string> paths;
            for (const QString& f : files) paths.push_back(f.toStdString());
            openFiles(paths);
        });
        action->setToolTip(files.join(QStringLiteral(", ")));
    }
    m_recentMenu->setEnabled(!m_recentMenu->isEmpty());
}

QString MainWindow::scaleText() const
{
    const double n = m_canvas->scaleDenominator();
    if (!(n > 0)) return {};
    return QStringLiteral("1:%L1").arg(std::round(n), 0, 'f', 0);
}

QString MainWindow::coordinatesText() const { return m_pointerLabel->text(); }

void MainWindow::showScale() { m_scaleLabel->setText(scaleText()); }

void MainWindow::showPointer(const QPointF& at)
{
    const gdal::Srs srs = m_document->map()->srs();
    const bool degrees = srs && srs->IsGeographic();
    const int decimals = degrees ? 6 : 2;
    m_pointerLabel->setText(QStringLiteral("%1, %2").arg(at.x(), 0, 'f', decimals).arg(at.y(), 0, 'f', decimals));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    m_settings.saveWindow(saveGeometry(), saveState());
    // Dialogs of the commands live in tool windows over this one.
    m_commands->releaseAll();
    QMainWindow::closeEvent(event);
    QApplication::closeAllWindows();
}

} // namespace corvane::map
