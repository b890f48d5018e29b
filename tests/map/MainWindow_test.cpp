#include <gtest/gtest.h>

// GCC sees QWidget's inline accessors through QPointer::data() as
// possibly null; every pointer here is checked by the assertions first.
#pragma GCC diagnostic ignored "-Wnull-dereference"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <filesystem>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "CommandInstall.h"
#include "MainWindow.h"
#include "MapApp.h"
#include "WidgetActions.h"
#include "com/ComServerLoader.h"
#include "com/GuidText.h"
#include "com/Registry.h"
#include "towngen/TownWriter.h"

namespace corvane::map {
namespace {

const std::string kDemoTown = CORVANE_DEMO_TOWN;
const std::string kCommandLibrary = CORVANE_COMMAND_LIBRARY;

// The parcel's envelope scaled by 1.2 about its centre, read with OGR.
gdal::Box enlargedParcel(const std::string& street, const std::string& number)
{
    GDALAllRegister();
    GDALDatasetUniquePtr ds(GDALDataset::Open(kDemoTown.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    EXPECT_TRUE(ds);
    if (!ds) return {};
    OGRLayer* parcels = ds->GetLayerByName(towngen::kParcelLayer);
    // The first parcel in feature order, as the search dialog zooms to.
    std::string quoted;
    for (const char c : street) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    const std::string where = std::string(towngen::kStreetField) + " = '" + quoted + "' AND " +
                              towngen::kNumberTextField + " = '" + number + "'";
    parcels->SetAttributeFilter(where.c_str());
    OGRFeatureUniquePtr feature(parcels->GetNextFeature());
    EXPECT_TRUE(feature);
    if (!feature) return {};
    OGREnvelope e;
    feature->GetGeometryRef()->getEnvelope(&e);
    const double cx = (e.MinX + e.MaxX) / 2, cy = (e.MinY + e.MaxY) / 2;
    const double hw = (e.MaxX - e.MinX) * 1.2 / 2, hh = (e.MaxY - e.MinY) * 1.2 / 2;
    return {cx - hw, cy - hh, cx + hw, cy + hh};
}

void expectShows(const MapCanvas& canvas, const gdal::Box& envelope)
{
    const gdal::Box expected = fitExtent(envelope, canvas.mapArea().size());
    const gdal::Box& shown = canvas.shownExtent();
    EXPECT_NEAR(shown.xMin, expected.xMin, 1e-6);
    EXPECT_NEAR(shown.yMin, expected.yMin, 1e-6);
    EXPECT_NEAR(shown.xMax, expected.xMax, 1e-6);
    EXPECT_NEAR(shown.yMax, expected.yMax, 1e-6);
}

TEST(MapHost, SearchJourneyOnTheDemoTownEndsShowingTheParcelsEnlargedEnvelope)
{
    if (kCommandLibrary.empty() || !std::filesystem::exists(kDemoTown)) GTEST_SKIP() << "no command library or demo town";
    testing::ensureApplication();
    QTemporaryDir dir;
    HostOptions options = testing::optionsIn(dir);
    options.bundledCommand = kCommandLibrary;
    MainWindow window(options);
    window.resize(1024, 768);
    window.show();
    ASSERT_TRUE(window.openFiles({kDemoTown}).isEmpty());
    ASSERT_TRUE(window.loadCommands().isEmpty());
    ASSERT_EQ(window.commands().count(), 1u);
    const CommandInfo& info = window.commands().info(0);
    EXPECT_EQ(info.caption, QStringLiteral("CorvaneAddressSearch"));
    EXPECT_EQ(info.tooltip, QStringLiteral("CorvaneAddressSearch - Zoom to an address"));
    EXPECT_EQ(info.category, QStringLiteral("CorvaneGIS"));
    EXPECT_TRUE(info.message.startsWith(QStringLiteral("CorvaneGIS: ")));
    EXPECT_EQ(window.commands().action(0)->toolTip(), info.tooltip);
    EXPECT_EQ(window.commands().action(0)->statusTip(), info.message);
    EXPECT_FALSE(window.commands().action(0)->icon().isNull());

    qt::Toolkit& toolkit = window.services().toolkit();
    QStringList boxes;
    toolkit.onMessageBox = [&](QMessageBox& box) {
        boxes << box.text();
        QTimer::singleShot(0, &box, [&box] { box.accept(); });
    };
    // The first press finds no configuration: the modal dialog is driven
    // from inside its own loop, as a person would.
    QStringList problems;
    toolkit.onModalShown = [&](ui::Form&) {
        QTimer::singleShot(0, [&] {
            if (QWidget* configure = findFormWindow(QStringLiteral("frmConfig")))
                saveScreenshot(*configure, testing::artifactFolder() + QStringLiteral("/configuration-dialog.png"));
            else
                problems << QStringLiteral("the configuration dialog is not shown");
            problems << selectEntry(QStringLiteral("frmConfig"), QStringLiteral("List1"), QString::fromLatin1(towngen::kParcelLayer))
                     << selectEntry(QStringLiteral("frmConfig"), QStringLiteral("List2"), QString::fromLatin1(towngen::kStreetField))
                     << selectEntry(QStringLiteral("frmConfig"), QStringLiteral("List3"), QString::fromLatin1(towngen::kNumberTextField))
                     << clickControl(QStringLiteral("frmConfig"), QStringLiteral("Command1"));
        });
    };
    ASSERT_TRUE(window.commands().press(QStringLiteral("CorvaneAddressSearch")));
    problems.removeAll(QString());
    EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(std::filesystem::exists(options.driveC / "Program Files" / "CorvaneGIS" / "CorvaneAddressSearch" / "config"));

    // The street list was filled with progress on the status bar, now hidden.
    EXPECT_GT(window.progressor().barUpdates(), 0);
    EXPECT_FALSE(window.progressor().shown());
    QWidget* search = findFormWindow(QStringLiteral("frmMain"));
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->windowTitle(), QStringLiteral("CorvaneAddressSearch"));
    auto* streets = qobject_cast<QListWidget*>(findControl(QStringLiteral("frmMain"), QStringLiteral("List1")));
    ASSERT_NE(streets, nullptr);
    ASSERT_GT(streets->count(), 1);
    for (int i = 1; i < streets->count(); ++i)
        EXPECT_LE(QString::compare(streets->item(i - 1)->text(), streets->item(i)->text(), Qt::CaseInsensitive), 0);

    // "Go" picks the first street that starts with the typed letters.
    const QString prefix = streets->item(3)->text().trimmed().left(3).toLower();
    QString expectedStreet;
    for (int i = 0; i < streets->count() && expectedStreet.isEmpty(); ++i)
        if (streets->item(i)->text().startsWith(prefix, Qt::CaseInsensitive)) expectedStreet = streets->item(i)->text();
    EXPECT_TRUE(typeText(QStringLiteral("frmMain"), QStringLiteral("Text1"), prefix).isEmpty());
    EXPECT_TRUE(clickControl(QStringLiteral("frmMain"), QStringLiteral("Command4")).isEmpty());
    ASSERT_NE(streets->currentItem(), nullptr);
    EXPECT_EQ(streets->currentItem()->text(), expectedStreet);
    auto* numbers = qobject_cast<QListWidget*>(findControl(QStringLiteral("frmMain"), QStringLiteral("List2")));
    ASSERT_NE(numbers, nullptr);
    ASSERT_GT(numbers->count(), 1);
    const std::string street = expectedStreet.toStdString();
    const QString first = numbers->item(0)->text(), second = numbers->item(1)->text();

    const int before = window.canvas().redrawCount();
    EXPECT_TRUE(selectEntry(QStringLiteral("frmMain"), QStringLiteral("List2"), second).isEmpty());
    EXPECT_GT(window.canvas().redrawCount(), before);
    expectShows(window.canvas(), enlargedParcel(street, second.toStdString()));
    ASSERT_TRUE(testing::waitForPicture(window.canvas()));
    EXPECT_GT(window.canvas().lastStats().shapes, 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    saveScreenshot(window, testing::artifactFolder() + QStringLiteral("/zoomed-data-view.png"));
    saveScreenshot(*search, testing::artifactFolder() + QStringLiteral("/search-dialog.png"));

    // In layout view the map inside the page's frame moves, not the page.
    window.showLayoutView(true);
    EXPECT_TRUE(selectEntry(QStringLiteral("frmMain"), QStringLiteral("List2"), first).isEmpty());
    expectShows(window.canvas(), enlargedParcel(street, first.toStdString()));
    EXPECT_EQ(window.document()->pageLayout()->pageBox(), (gdal::Box{0.0, 0.0, 8.5, 11.0}));
    ASSERT_TRUE(testing::waitForPicture(window.canvas()));
    saveScreenshot(window, testing::artifactFolder() + QStringLiteral("/zoomed-layout-view.png"));

    // Closing the frame only hides it; the next press shows the same lists.
    search->close();
    EXPECT_EQ(findFormWindow(QStringLiteral("frmMain")), nullptr);
    window.commands().press(QStringLiteral("CorvaneAddressSearch"));
    ASSERT_EQ(findFormWindow(QStringLiteral("frmMain")), search);
    EXPECT_EQ(streets->currentItem()->text(), expectedStreet);

    // Each "?" opens one more help window; the logo opens the maker's site.
    std::vector<QUrl> opened;
    toolkit.openUrl = [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    };
    EXPECT_TRUE(clickControl(QStringLiteral("frmMain"), QStringLiteral("btnHelp2")).isEmpty());
    EXPECT_TRUE(clickControl(QStringLiteral("frmMain"), QStringLiteral("btnHelp2")).isEmpty());
    int helpWindows = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->windowTitle() == QStringLiteral("CorvaneAddressSearch - Help")) {
            ++helpWindows;
            saveScreenshot(*top, testing::artifactFolder() + QStringLiteral("/help-dialog.png"));
        }
    }
    EXPECT_EQ(helpWindows, 2);
    EXPECT_TRUE(clickControl(QStringLiteral("frmHelp"), QStringLiteral("Label4")).isEmpty());
    EXPECT_TRUE(clickControl(QStringLiteral("frmMain"), QStringLiteral("Image2")).isEmpty());
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_TRUE(opened[0].path().endsWith(QStringLiteral("/Products/ArcGIS/CorvaneAddressSearch/index.htm")));
    EXPECT_TRUE(opened[1].scheme().startsWith(QStringLiteral("http")));
    window.commands().releaseAll();
}

TEST(MapHost, ACommandThatCannotBeLoadedIsReportedAndTheHostKeepsRunning)
{
    testing::ensureApplication();
    QTemporaryDir dir;
    const HostOptions options = testing::optionsIn(dir);
    QFile notALibrary(dir.filePath(QStringLiteral("broken.so")));
    ASSERT_TRUE(notALibrary.open(QIODevice::WriteOnly));
    notALibrary.write("not a shared library");
    notALibrary.close();
    {
        com::Registry registry(options.registryPath);
        const std::string category = com::toString(com::kMapCommandsCategory);
        const std::pair<const char*, std::string> classes[] = {
            {"{6A0A5A5E-0000-4000-8000-000000000001}", dir.filePath(QStringLiteral("missing.so")).toStdString()},
            {"{6A0A5A5E-0000-4000-8000-000000000002}", notALibrary.fileName().toStdString()},
        };
        for (const auto& [clsid, library] : classes) {
            const std::string key = std::string(com::kClassesRoot) + "\\CLSID\\" + clsid;
            registry.setValue(key, "", "Broken command");
            registry.setValue(key + "\\InprocServer32", "", library);
            registry.createKey(key + "\\Implemented Categories\\" + category);
        }
        registry.save();
    }
    MainWindow window(options);
    const QStringList problems = window.loadCommands();
    ASSERT_EQ(problems.size(), 2);
    EXPECT_TRUE(problems[0].contains(QStringLiteral("does not exist"))) << problems[0].toStdString();
    EXPECT_TRUE(problems[1].contains(QStringLiteral("broken.so"))) << problems[1].toStdString();
    EXPECT_EQ(window.commands().count(), 0u);
    if (std::filesystem::exists(kDemoTown)) {
        EXPECT_TRUE(window.openFiles({kDemoTown}).isEmpty());
        ASSERT_TRUE(testing::waitForPicture(window.canvas()));
        EXPECT_GT(window.canvas().lastStats().shapes, 0);
    }
    EXPECT_FALSE(window.openFiles({dir.filePath(QStringLiteral("nothing.gpkg")).toStdString()}).isEmpty());
}

TEST(MapHost, ARegistrationLeftByAVanishedBuildIsReplacedByTheBundledLibrary)
{
    if (kCommandLibrary.empty()) GTEST_SKIP() << "no command library";
    testing::ensureApplication();
    QTemporaryDir dir;
    HostOptions options = testing::optionsIn(dir);
    installCommandLibrary(options.registryPath, kCommandLibrary);
    {
        com::Registry registry(options.registryPath);
        const std::string classes = std::string(com::kClassesRoot) + "\\CLSID";
        for (const std::string& clsid : registry.subkeys(classes))
            registry.setValue(classes + "\\" + clsid + "\\InprocServer32", "", "/gone/libCorvaneAddressSearch.so");
        registry.save();
    }
    options.bundledCommand = kCommandLibrary;
    MainWindow window(options);
    // The host falls back on its own library, and still says what was wrong.
    const QStringList problems = window.loadCommands();
    ASSERT_EQ(problems.size(), 1) << problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(problems[0].contains(QStringLiteral("/gone/libCorvaneAddressSearch.so"))) << problems[0].toStdString();
    EXPECT_TRUE(problems[0].contains(QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\{"))) << problems[0].toStdString();
    ASSERT_EQ(window.commands().count(), 1u);
    EXPECT_EQ(window.commands().info(0).caption, QStringLiteral("CorvaneAddressSearch"));
    window.commands().releaseAll();
}

TEST(MapHost, ABadEntryBesideTheFallbackIsReportedOnceNamingEntryAndFile)
{
    if (kCommandLibrary.empty()) GTEST_SKIP() << "no command library";
    testing::ensureApplication();
    QTemporaryDir dir;
    HostOptions options = testing::optionsIn(dir);
    const std::string text = dir.filePath(QStringLiteral("text.so")).toStdString();
    {
        QFile file(QString::fromStdString(text));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a library");
    }
    const std::string key = std::string(com::kClassesRoot) + "\\CLSID\\{6A0A5A5E-0000-4000-8000-000000000003}";
    {
        com::Registry registry(options.registryPath);
        registry.setValue(key, "", "Text command");
        registry.setValue(key + "\\InprocServer32", "", text);
        registry.createKey(key + "\\Implemented Categories\\" + com::toString(com::kMapCommandsCategory));
        registry.save();
    }
    options.bundledCommand = kCommandLibrary;
    MainWindow window(options);
    const QStringList problems = window.loadCommands();
    ASSERT_EQ(problems.size(), 1) << problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(problems[0].contains(QString::fromStdString(key))) << problems[0].toStdString();
    EXPECT_TRUE(problems[0].contains(QString::fromStdString(text))) << problems[0].toStdString();
    EXPECT_EQ(window.commands().count(), 1u);
    window.commands().releaseAll();
}

} // namespace
} // namespace corvane::map
