#include "DesktopSettings.h"

#include <QUrl>

#include "gdal/DataSource.h"

namespace corvane::map {

namespace {

// One settings group per layer of a file; '/' and '\' would nest groups.
QString layerGroup(gdal::FeatureLayer& layer)
{
    const QString key = QString::fromStdString(layer.table().source()->path()) + QLatin1Char('|') +
                        QString::fromStdString(layer.table().schema().layerName);
    return QStringLiteral("layers/") + QString::fromLatin1(QUrl::toPercentEncoding(key));
}

} // namespace

DesktopSettings::DesktopSettings(const QString& file)
    : m_settings(file.isEmpty() ? std::make_unique<QSettings>(QStringLiteral("CorvaneGIS"), QStringLiteral("corvane-map"))
                                : std::make_unique<QSettings>(file, QSettings::IniFormat))
{
}

QString DesktopSettings::lastFolder() const { return m_settings->value(QStringLiteral("open/lastFolder")).toString(); }

void DesktopSettings::setLastFolder(const QString& folder) { m_settings->setValue(QStringLiteral("open/lastFolder"), folder); }

QStringList DesktopSettings::recentFiles() const { return m_settings->value(QStringLiteral("open/recent")).toStringList(); }

void DesktopSettings::addRecentFiles(const QStringList& files)
{
    const QString entry = files.join(QLatin1Char('\n'));
    QStringList recent = recentFiles();
    recent.removeAll(entry);
    recent.prepend(entry);
    while (recent.size() > kRecentFiles) recent.removeLast();
    m_settings->setValue(QStringLiteral("open/recent"), recent);
}

QByteArray DesktopSettings::windowGeometry() const { return m_settings->value(QStringLiteral("window/geometry")).toByteArray(); }

QByteArray DesktopSettings::windowState() const { return m_settings->value(QStringLiteral("window/state")).toByteArray(); }

void DesktopSettings::saveWindow(const QByteArray& geometry, const QByteArray& state)
{
    m_settings->setValue(QStringLiteral("window/geometry"), geometry);
    m_settings->setValue(QStringLiteral("window/state"), state);
}

void DesktopSettings::restoreLooks(gdal::GdalMap& map, MapLook& look) const
{
    for (gdal::FeatureLayer* layer : featureLayersOf(map)) {
        const QString group = layerGroup(*layer);
        if (!m_settings->contains(group + QStringLiteral("/visible"))) continue;
        LayerLook& saved = look.of(*layer);
        saved.visible = m_settings->value(group + QStringLiteral("/visible"), saved.visible).toBool();
        saved.labelField = m_settings->value(group + QStringLiteral("/labelField"), QString::fromStdString(saved.labelField))
                               .toString()
                               .toStdString();
        const QColor fill(m_settings->value(group + QStringLiteral("/fill")).toString());
        const QColor outline(m_settings->value(group + QStringLiteral("/outline")).toString());
        if (fill.isValid()) saved.fill = fill;
        if (outline.isValid()) saved.outline = outline;
    }
}

void DesktopSettings::saveLooks(gdal::GdalMap& map, const MapLook& look)
{
    for (gdal::FeatureLayer* layer : featureLayersOf(map)) {
        const QString group = layerGroup(*layer);
        const LayerLook& current = look.of(*layer);
        m_settings->setValue(group + QStringLiteral("/visible"), current.visible);
        m_settings->setValue(group + QStringLiteral("/labelField"), QString::fromStdString(current.labelField));
        m_settings->setValue(group + QStringLiteral("/fill"), current.fill.name());
        m_settings->setValue(group + QStringLiteral("/outline"), current.outline.name());
    }
    m_settings->sync();
}

} // namespace corvane::map
