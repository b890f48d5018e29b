// The map host on towns as people download them: in degrees (near the
// equator and at 60 N), in US feet, and in two systems at once.
// The command component keeps its configuration for its whole life, as in
// a real host: the journeys expect a process of their own (ctest runs each
// test so).

#include <gtest/gtest.h>

// GCC sees QWidget's inline accessors through QPointer::data() as
// possibly null; every pointer here is checked by the assertions first.
#pragma GCC diagnostic ignored "-Wnull-dereference"

#include <QFile>
#include <QImage>
#include <algorithm>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>

#include "MainWindow.h"
#include "MapApp.h"
#include "WidgetActions.h"
#include "gdal/GdalLayers.h"
#include "towngen/TownWriter.h"

namespace corvane::map {
namespace {

const std::string kCommandLibrary = CORVANE_COMMAND_LIBRARY;

struct Town {
    const char* name;
    towngen::TownPlace place;
};

std::string writeTown(const QTemporaryDir& dir, const Town& town)
{
    const std::string path = dir.filePath(QString::fromLatin1(town.name) + QStringLiteral(".gpkg")).toStdString();
    towngen::writeTown(towngen::TownSize{120, 6, 1}, towngen::Format::GeoPackage, path, town.place);
    return path;
}

HostOptions optionsWithCommandIn(const QTemporaryDir& dir)
{
    HostOptions options = testing::optionsIn(dir);
    options.bundledCommand = kCommandLibrary;
    return options;
}

// Configures the command on its first press, then picks the street and the
// number in the search dialog, as a person would.
QStringList searchFor(MainWindow& window, const QString& street, const QString& number)
{
    qt::Toolkit& toolkit = window.services().toolkit();
    QStringList problems;
    toolkit.onMessageBox = [&](QMessageBox& box) {
        if (!box.text().contains(QStringLiteral("configure"), Qt::CaseInsensitive)) problems << box.text();
        QTimer::singleShot(0, &box, [&box] { box.accept(); });
    };
    toolkit.onModalShown = [&](ui::Form&) {
        QTimer::singleShot(0, [&] {
            problems << selectEntry(QStringLiteral("frmConfig"), QStringLiteral("List1"), QString::fromLatin1(towngen::kParcelLayer))
                     << selectEntry(QStringLiteral("frmConfig"), QStringLiteral("List2"), QString::fromLatin1(towngen::kStreetField))
                     << selectEntry(QStringLiteral("frmConfig"), QStringLiteral("List3"), QString::fromLatin1(towngen::kNumberTextField))
                     << clickControl(QStringLiteral("frmConfig"), QStringLiteral("Command1"));
        });
    };
    if (!window.commands().press(QStringLiteral("CorvaneAddressSearch"))) problems << QStringLiteral("no command");
    problems << selectEntry(QStringLiteral("frmMain"), QStringLiteral("List1"), street)
             << selectEntry(QStringLiteral("frmMain"), QStringLiteral("List2"), number);
    problems.removeAll(QString());
    return problems;
}

// The marked feature's box on the screen.
QRectF markedBox(const MapCanvas& canvas)
{
    const OGRGeometry* shape = canvas.highlight().shape();
    if (shape == nullptr) return {};
    OGREnvelope e;
    shape->getEnvelope(&e);
    return mapToPixels(canvas.shownExtent(), canvas.mapArea()).mapRect(QRectF(QPointF(e.MinX, e.MinY), QPointF(e.MaxX, e.MaxY)));
}

int highlightPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - kHighlightColour.red()) < 24 && std::abs(c.green() - kHighlightColour.green()) < 24 &&
                std::abs(c.blue() - kHighlightColour.blue()) < 24)
                ++count;
        }
    return count;
}

void PrintTo(const Town& town, std::ostream* out) { *out << town.name; }

class MapOnRealData : public ::testing::TestWithParam<Town> {};

TEST_P(MapOnRealData, ThePickedParcelFillsTheViewMarkedAndLabelled)
{
    if (kCommandLibrary.empty()) GTEST_SKIP() << "no command library";
    testing::ensureApplication();
    QTemporaryDir dir;
    const std::string town = writeTown(dir, GetParam());
    MainWindow window(optionsWithCommandIn(dir));
    window.resize(1024, 768);
    window.show();
    ASSERT_TRUE(window.openFiles({town}).isEmpty());
    ASSERT_TRUE(window.loadCommands().isEmpty());

    const QStringList problems = searchFor(window, QStringLiteral("O'NEIL RD"), QStringLiteral("3"));
    ASSERT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
    const MapCanvas& canvas = window.canvas();
    ASSERT_TRUE(canvas.highlight().marked());
    EXPECT_EQ(canvas.highlight().label(), QStringLiteral("3"));
    // The parcel with its margin fills the view one way and lies inside it.
    const QRectF parcel = markedBox(canvas);
    const QRectF view = canvas.mapArea();
    EXPECT_TRUE(view.adjusted(-1, -1, 1, 1).contains(parcel));
    EXPECT_GT(std::max(parcel.width() / view.width(), parcel.height() / view.height()), 0.75);

    ASSERT_TRUE(testing::waitForPicture(window.canvas()));
    const QImage shot = window.grab().toImage();
    shot.save(testing::artifactFolder() + QStringLiteral("/picked-parcel-%1.png").arg(QString::fromLatin1(GetParam().name)));
    EXPECT_GT(highlightPixels(shot), 1000);

    // The mark stays until the extent changes again.
    window.canvas().zoomToFullExtent();
    EXPECT_FALSE(canvas.highlight().marked());
    window.commands().releaseAll();
}

INSTANTIATE_TEST_SUITE_P(Systems, MapOnRealData,
                         ::testing::Values(Town{"degrees-60N", {4326, 500000.0, 6650000.0}},
                                           Town{"degrees-equator", {4326, 500000.0, 100000.0}},
                                           Town{"us-feet", {2263, 500000.0, 4500000.0}}),
                         [](const ::testing::TestParamInfo<Town>& param) {
                             std::string name = param.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(MapOnRealData, APointsZoomShowsThirtyMetresOfGroundAtSixtyNorth)
{
    testing::ensureApplication();
    QTemporaryDir dir;
    const std::string town = writeTown(dir, {"degrees-60N", {4326, 500000.0, 6650000.0}});
    MainWindow window(optionsWithCommandIn(dir));
    window.resize(800, 600);
    ASSERT_TRUE(window.openFiles({town}).isEmpty());
    gdal::GdalMap& map = *window.document()->map();
    const double lon = -75.0, lat = 59.97;
    map.Extent(host::makeRef<gdal::GdalEnvelope>(gdal::Box{lon, lat, lon, lat}, map.srs()));
    map.Refresh();
    const gdal::Box& shown = window.canvas().shownExtent();
    const gdal::GroundScale ground = groundScaleAt(map.srs(), shown);
    const double across = (shown.xMax - shown.xMin) * ground.metresPerUnitX;
    const double up = (shown.yMax - shown.yMin) * ground.metresPerUnitY;
    EXPECT_NEAR(std::min(across, up), kMinimumGroundSize, 0.05);
    EXPECT_NEAR((shown.xMin + shown.xMax) / 2, lon, 1e-9);
    EXPECT_FALSE(window.scaleText().isEmpty());
}

TEST(MapOnRealData, TownsInTwoSystemsDrawOnTopOfEachOtherAndBothZoomToTheSameGround)
{
    if (kCommandLibrary.empty()) GTEST_SKIP() << "no command library";
    testing::ensureApplication();
    QTemporaryDir dir;
    const std::string metres = writeTown(dir, {"utm", {}});
    const std::string degrees = writeTown(dir, {"wgs84", {4326, 500000.0, 4500000.0}});

    gdal::Box metresAlone;
    {
        MainWindow alone(optionsWithCommandIn(dir));
        alone.resize(1024, 768);
        ASSERT_TRUE(alone.openFiles({metres}).isEmpty());
        metresAlone = *alone.document()->map()->fullExtent();
    }
    MainWindow window(optionsWithCommandIn(dir));
    window.resize(1024, 768);
    window.show();
    ASSERT_TRUE(window.openFiles({metres, degrees}).isEmpty());
    // The degrees town is reprojected onto the metres one, not drawn far away.
    const gdal::Box full = *window.document()->map()->fullExtent();
    EXPECT_NEAR(full.xMin, metresAlone.xMin, 1.0);
    EXPECT_NEAR(full.yMin, metresAlone.yMin, 1.0);
    EXPECT_NEAR(full.xMax, metresAlone.xMax, 1.0);
    EXPECT_NEAR(full.yMax, metresAlone.yMax, 1.0);
    ASSERT_TRUE(testing::waitForPicture(window.canvas()));
    EXPECT_GT(window.canvas().lastStats().shapes, 200);
    window.grab().save(testing::artifactFolder() + QStringLiteral("/two-systems.png"));

    ASSERT_TRUE(window.loadCommands().isEmpty());
    // The command finds the parcel layer by name: "Parcels" of the first file.
    ASSERT_TRUE(searchFor(window, QStringLiteral("MAIN ST"), QStringLiteral("4")).isEmpty());
    const gdal::Box fromMetres = window.document()->map()->extentBox();
    const gdal::Srs metresSrs = window.document()->map()->srs();
    EXPECT_TRUE(window.canvas().highlight().marked());
    window.grab().save(testing::artifactFolder() + QStringLiteral("/two-systems-picked-in-metres.png"));

    // The degrees file first: the map is in degrees and the command picks
    // that file's parcel. The dialog still has "4" selected: pick another
    // number first, as a person would have to.
    ASSERT_TRUE(window.openFiles({degrees, metres}).isEmpty());
    ASSERT_TRUE(window.document()->map()->srs()->IsGeographic());
    ASSERT_TRUE(searchFor(window, QStringLiteral("MAIN ST"), QStringLiteral("2")).isEmpty());
    ASSERT_TRUE(selectEntry(QStringLiteral("frmMain"), QStringLiteral("List2"), QStringLiteral("4")).isEmpty());
    EXPECT_TRUE(window.canvas().highlight().marked());
    const auto fromDegrees = gdal::projectBox(window.document()->map()->extentBox(), window.document()->map()->srs(), metresSrs);
    ASSERT_TRUE(fromDegrees);
    EXPECT_NEAR(fromDegrees->xMin, fromMetres.xMin, 1.0);
    EXPECT_NEAR(fromDegrees->yMin, fromMetres.yMin, 1.0);
    EXPECT_NEAR(fromDegrees->xMax, fromMetres.xMax, 1.0);
    EXPECT_NEAR(fromDegrees->yMax, fromMetres.yMax, 1.0);
    window.grab().save(testing::artifactFolder() + QStringLiteral("/two-systems-picked-in-degrees.png"));
    window.commands().releaseAll();
}

void expectMirrors(const host::Ref<host::ILayer>& layer, QTreeWidgetItem& item)
{
    EXPECT_TRUE(item.text(0).startsWith(QString::fromStdString(layer->Name())));
    const bool plain = dynamic_cast<gdal::FeatureLayer*>(layer.get()) == nullptr &&
                       dynamic_cast<gdal::GroupLayer*>(layer.get()) == nullptr;
    EXPECT_EQ((item.flags() & Qt::ItemIsUserCheckable) == 0, plain) << layer->Name();
    if (auto* group = dynamic_cast<gdal::GroupLayer*>(layer.get())) {
        ASSERT_EQ(static_cast<std::size_t>(item.childCount()), group->layers().size()) << layer->Name();
        for (int i = 0; i < item.childCount(); ++i) expectMirrors(group->layers()[static_cast<std::size_t>(i)], *item.child(i));
    } else {
        EXPECT_EQ(item.childCount(), 0);
    }
}

TEST(MapLayerPanel, MirrorsTheLayerTreeAndHidesWhatIsUnchecked)
{
    testing::ensureApplication();
    QTemporaryDir dir;
    const std::string metres = writeTown(dir, {"utm", {}});
    const std::string degrees = writeTown(dir, {"wgs84", {4326, 500000.0, 4500000.0}});
    MainWindow window(optionsWithCommandIn(dir));
    window.resize(1024, 768);
    ASSERT_TRUE(window.openFiles({metres, degrees}).isEmpty());
    QTreeWidget& tree = window.layerPanel().tree();
    const auto& layers = window.document()->map()->layers();
    ASSERT_EQ(static_cast<std::size_t>(tree.topLevelItemCount()), layers.size());
    for (int i = 0; i < tree.topLevelItemCount(); ++i) expectMirrors(layers[static_cast<std::size_t>(i)], *tree.topLevelItem(i));

    QTreeWidgetItem* degreesParcels = tree.topLevelItem(1)->child(0);
    ASSERT_EQ(degreesParcels->text(0), QStringLiteral("Parcels"));
    EXPECT_TRUE(degreesParcels->toolTip(0).contains(QStringLiteral("EPSG:4326")));
    EXPECT_TRUE(tree.topLevelItem(0)->child(0)->toolTip(0).contains(QStringLiteral("EPSG:32618")));

    // Each change draws again on the worker: read what was drawn once done.
    const auto drawn = [&] {
        EXPECT_TRUE(testing::waitForPicture(window.canvas()));
        return window.canvas().lastStats().shapes;
    };
    const auto before = drawn();
    degreesParcels->setCheckState(0, Qt::Unchecked);
    EXPECT_LT(drawn(), before);
    // A group's box hides everything in it.
    const auto parcelsOnly = drawn();
    tree.topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    EXPECT_LT(drawn(), parcelsOnly);
    tree.topLevelItem(1)->setCheckState(0, Qt::Checked);
    EXPECT_EQ(drawn(), before);
    degreesParcels->setCheckState(0, Qt::Unchecked);
    // Remembered for that file: a new window shows it hidden again.
    MainWindow again(optionsWithCommandIn(dir));
    ASSERT_TRUE(again.openFiles({metres, degrees}).isEmpty());
    EXPECT_EQ(again.layerPanel().tree().topLevelItem(1)->child(0)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(again.layerPanel().tree().topLevelItem(0)->child(0)->checkState(0), Qt::Checked);
}

TEST(MapDesktop, AFileThatCannotBeReadIsNamedAndTheMapStaysAsItWas)
{
    testing::ensureApplication();
    QTemporaryDir dir;
    const std::string town = writeTown(dir, {"utm", {}});
    MainWindow window(optionsWithCommandIn(dir));
    ASSERT_TRUE(window.openFiles({town}).isEmpty());
    const auto map = window.document()->map();
    const QString title = window.windowTitle();
    EXPECT_TRUE(title.contains(QStringLiteral("utm.gpkg")));
    const std::string broken = dir.filePath(QStringLiteral("broken.gpkg")).toStdString();
    QFile file(QString::fromStdString(broken));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a GeoPackage at all");
    file.close();
    const QString problem = window.openFiles({broken});
    EXPECT_TRUE(problem.contains(QStringLiteral("broken.gpkg"))) << problem.toStdString();
    EXPECT_EQ(window.document()->map(), map);
    EXPECT_EQ(window.windowTitle(), title);
    // Only what opened is offered again.
    const QStringList recent = window.settings().recentFiles();
    ASSERT_EQ(recent.size(), 1);
    EXPECT_TRUE(recent.front().endsWith(QStringLiteral("utm.gpkg")));
}

TEST(MapLayerPanel, ALayerWithoutACoordinateSystemSaysSo)
{
    testing::ensureApplication();
    QTemporaryDir dir;
    // Pegs of a local survey grid: a CSV of bare numbers.
    const QString csv = dir.filePath(QStringLiteral("survey.csv"));
    QFile points(csv);
    ASSERT_TRUE(points.open(QIODevice::WriteOnly));
    points.write("X,Y,NAME\n10,20,peg A\n30,40,peg B\n");
    points.close();
    MainWindow window(optionsWithCommandIn(dir));
    ASSERT_TRUE(window.openFiles({csv.toStdString()}).isEmpty());
    QTreeWidgetItem* item = window.layerPanel().tree().topLevelItem(0);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->text(0).contains(QStringLiteral("no coordinate system")));
    EXPECT_TRUE(item->toolTip(0).contains(QStringLiteral("drawn as it is")));
    ASSERT_TRUE(testing::waitForPicture(window.canvas()));
    EXPECT_GT(window.canvas().lastStats().shapes, 0);
}

} // namespace
} // namespace corvane::map
