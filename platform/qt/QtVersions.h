#pragma once
// The few things Qt 5.15 and Qt 6 spell differently. The windowing layer is
// compiled against both from the same sources: Qt 6 for the map host, Qt 5
// inside QGIS, which is built on it.

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPoint>
#include <QString>
#include <QtGlobal>
#include <string_view>

namespace corvane::qt {

inline QString utf8Text(std::string_view text)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
#else
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
#endif
}

inline bool fontFamilyInstalled(const QString& family)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QFontDatabase::hasFamily(family);
#else
    return QFontDatabase().hasFamily(family);
#endif
}

// Where the mouse was, in the widget's own pixels.
inline QPoint eventPoint(const QMouseEvent& event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event.position().toPoint();
#else
    return event.pos();
#endif
}

} // namespace corvane::qt
