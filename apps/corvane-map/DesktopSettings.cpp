#include "DesktopSettings.h"

#include <QUrl>
#include <utility>
#include <vector>

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

std::unique_ptr<QSettings> openSettings(const QString& file)
{
    return file.isEmpty() ? std::make_unique<QSettings>(QStringLiteral("CorvaneGIS"), QStringLiteral("corvane-map"))
                          : std::make_unique<QSettings>(file, QSettings::IniFormat);
}

} // namespace

DesktopSettings::DesktopSettings(const QString& file)
    : m_settings(openSettings(file)),
      m_lastFolder(m_settings->value(QStringLiteral("open/lastFolder")).toString()),
      m_recent(m_settings->value(QStringLiteral("open/recent")).toStringList()),
      m_writer(std::make_unique<SettingsWriter>([file] { return openSettings(file); }))
{
}

QString DesktopSettings::lastFolder() const { return m_lastFolder; }

void DesktopSettings::setLastFolder(const QString& folder)
{
    m_lastFolder = folder;
    m_writer->post([folder](QSettings& s) { s.setValue(QStringLiteral("open/lastFolder"), folder); });
}

QStringList DesktopSettings::recentFiles() const { return m_recent; }

void DesktopSettings::addRecentFiles(const QStringList& files)
{
    const QString entry = files.join(QLatin1Char('\n'));
    m_recent.removeAll(entry);
    m_recent.prepend(entry);
    while (m_recent.size() > kRecentFiles) m_recent.removeLast();
    m_writer->post([recent = m_recent](QSettings& s) { s.setValue(QStringLiteral("open/recent"), recent); });
}

QByteArray DesktopSettings::windowGeometry() const { return m_settings->value(QStringLiteral("window/geometry")).toByteArray(); }

QByteArray DesktopSettings::windowState() const { return m_settings->value(QStringLiteral("window/state")).toByteArray(); }

void DesktopSettings::saveWindow(const QByteArray& geometry, const QByteArray& state)
{
    m_writer->post([geometry, state](QSettings& s) {
        s.setValue(QStringLiteral("window/geometry"), geometry);
        s.setValue(QStringLiteral("window/state"), state);
    });
}

void DesktopSettings::restoreLooks(gdal::GdalMap& map, MapLook& look) const
{
    // A look changed a moment ago is read back as changed.
    m_writer->waitUntilWritten();
    m_settings->sync();
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
    std::vector<std::pair<QString, LayerLook>> looks;
    for (gdal::FeatureLayer* layer : featureLayersOf(map)) looks.emplace_back(layerGroup(*layer), look.of(*layer));
    m_writer->post([looks = std::move(looks)](QSettings& s) {
        for (const auto& [group, current] : looks) {
            s.setValue(group + QStringLiteral("/visible"), current.visible);
            s.setValue(group + QStringLiteral("/labelField"), QString::fromStdString(current.labelField));
            s.setValue(group + QStringLiteral("/fill"), current.fill.name());
            s.setValue(group + QStringLiteral("/outline"), current.outline.name());
        }
    });
}

} // namespace corvane::map
