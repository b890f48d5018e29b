#include "LayerLook.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "DesktopSettings.h"
#include "gdal/MapBuilder.h"
#include "towngen/TownWriter.h"

namespace corvane::map {
namespace {

gdal::FeatureLayer& layerNamed(gdal::GdalMap& map, const std::string& name)
{
    for (gdal::FeatureLayer* layer : featureLayersOf(map))
        if (layer->Name() == name) return *layer;
    throw std::runtime_error("no layer " + name);
}

TEST(MapLayerLook, ParcelsAreLabelledByNumberStreetsAndPlacesByName)
{
    QTemporaryDir dir;
    const std::string town = dir.filePath(QStringLiteral("town.gpkg")).toStdString();
    towngen::writeTown(towngen::TownSize{40, 5, 1}, towngen::Format::GeoPackage, town);
    auto map = gdal::openMap({town});
    const MapLook look = MapLook::defaultsFor(*map);
    // The number kept as text wins over the integer one: "12B" labels as written.
    EXPECT_EQ(look.of(layerNamed(*map, "Parcels")).labelField, towngen::kNumberTextField);
    EXPECT_EQ(look.of(layerNamed(*map, "Streets")).labelField, towngen::kStreetField);
    EXPECT_EQ(look.of(layerNamed(*map, "Schools")).labelField, "NAME");
    EXPECT_EQ(look.of(layerNamed(*map, "Hydrants")).labelField, "");
    EXPECT_NE(look.of(layerNamed(*map, "Parcels")).fill, look.of(layerNamed(*map, "Streets")).fill);
}

TEST(MapLayerLook, SettingsAreRememberedPerFileAndLayer)
{
    QTemporaryDir dir;
    const std::string first = dir.filePath(QStringLiteral("first.gpkg")).toStdString();
    const std::string second = dir.filePath(QStringLiteral("second.gpkg")).toStdString();
    towngen::writeTown(towngen::TownSize{20, 5, 1}, towngen::Format::GeoPackage, first);
    towngen::writeTown(towngen::TownSize{20, 5, 1}, towngen::Format::GeoPackage, second);
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    {
        auto map = gdal::openMap({first});
        MapLook look = MapLook::defaultsFor(*map);
        LayerLook& parcels = look.of(layerNamed(*map, "Parcels"));
        parcels.labelField = "PARCEL_ID";
        parcels.fill = QColor(10, 20, 30);
        parcels.visible = false;
        DesktopSettings(file).saveLooks(*map, look);
    }
    auto again = gdal::openMap({first});
    MapLook restored = MapLook::defaultsFor(*again);
    DesktopSettings(file).restoreLooks(*again, restored);
    const LayerLook& parcels = restored.of(layerNamed(*again, "Parcels"));
    EXPECT_EQ(parcels.labelField, "PARCEL_ID");
    EXPECT_EQ(parcels.fill, QColor(10, 20, 30));
    EXPECT_FALSE(parcels.visible);
    // Another file with the same layer names keeps its defaults.
    auto other = gdal::openMap({second});
    MapLook untouched = MapLook::defaultsFor(*other);
    DesktopSettings(file).restoreLooks(*other, untouched);
    EXPECT_EQ(untouched.of(layerNamed(*other, "Parcels")).labelField, towngen::kNumberTextField);
    EXPECT_TRUE(untouched.of(layerNamed(*other, "Parcels")).visible);
}

TEST(MapDesktopSettings, RecentFilesKeepTheNewestFirstWithoutRepeats)
{
    QTemporaryDir dir;
    DesktopSettings settings(dir.filePath(QStringLiteral("settings.ini")));
    for (int i = 0; i < DesktopSettings::kRecentFiles + 3; ++i) settings.addRecentFiles({QStringLiteral("/data/%1.gpkg").arg(i)});
    settings.addRecentFiles({QStringLiteral("/data/5.gpkg")});
    const QStringList recent = settings.recentFiles();
    ASSERT_EQ(recent.size(), DesktopSettings::kRecentFiles);
    EXPECT_EQ(recent.front(), QStringLiteral("/data/5.gpkg"));
    EXPECT_EQ(recent.count(QStringLiteral("/data/5.gpkg")), 1);
}

// The file is written on a thread of its own: what a window changed just
// before it closed is in the file all the same.
TEST(MapDesktopSettings, WhatWasChangedLastIsInTheFileOnceTheSettingsAreGone)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("settings.ini"));
    {
        DesktopSettings settings(file);
        settings.setLastFolder(QStringLiteral("/data/first"));
        settings.addRecentFiles({QStringLiteral("/data/a.gpkg"), QStringLiteral("/data/b.shp")});
        settings.setLastFolder(QStringLiteral("/data/second"));
        settings.saveWindow(QByteArray("geometry"), QByteArray("state"));
        EXPECT_EQ(settings.lastFolder(), QStringLiteral("/data/second"));
    }
    const QSettings written(file, QSettings::IniFormat);
    EXPECT_EQ(written.value(QStringLiteral("open/lastFolder")).toString(), QStringLiteral("/data/second"));
    EXPECT_EQ(written.value(QStringLiteral("open/recent")).toStringList(),
              QStringList{QStringLiteral("/data/a.gpkg\n/data/b.shp")});
    EXPECT_EQ(written.value(QStringLiteral("window/state")).toByteArray(), QByteArray("state"));
    EXPECT_EQ(DesktopSettings(file).recentFiles(), written.value(QStringLiteral("open/recent")).toStringList());
}

} // namespace
} // namespace corvane::map
