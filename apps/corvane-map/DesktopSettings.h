#pragma once
// What the map host remembers between runs (QSettings): the window's size,
// position and dock layout, the last folder and the recent files of
// File > Open, and the look of each layer of each file (keyed by the file's
// path and the layer's name). UI thread; the file is written on a thread
// of its own (SettingsWriter), so that no change waits for the disk.

#include <QByteArray>
#include <QSettings>
#include <QStringList>
#include <memory>

#include "SettingsWriter.h"

#include "LayerLook.h"

namespace corvane::map {

class DesktopSettings {
public:
    // `file` empty: the user's own settings; otherwise an INI file (tests).
    explicit DesktopSettings(const QString& file = {});

    [[nodiscard]] QString lastFolder() const;
    void setLastFolder(const QString& folder);

    // Newest first, at most kRecentFiles; each entry is one opening (the
    // files opened together, joined by '\n').
    static constexpr int kRecentFiles = 8;
    [[nodiscard]] QStringList recentFiles() const;
    void addRecentFiles(const QStringList& files);

    [[nodiscard]] QByteArray windowGeometry() const;
    [[nodiscard]] QByteArray windowState() const;
    void saveWindow(const QByteArray& geometry, const QByteArray& state);

    // Overlays what was saved for these layers' files on `look`.
    void restoreLooks(gdal::GdalMap& map, MapLook& look) const;
    void saveLooks(gdal::GdalMap& map, const MapLook& look);

private:
    std::unique_ptr<QSettings> m_settings;  // reads
    // What this window changed last, until the writer has written it.
    QString m_lastFolder;
    QStringList m_recent;
    std::unique_ptr<SettingsWriter> m_writer;  // last: it finishes writing before the rest goes
};

} // namespace corvane::map
