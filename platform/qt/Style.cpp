#include "qt/Style.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>

#include "qt/QtVersions.h"

namespace corvane::qt {

namespace {

// Narrow sans-serifs first: the tables were drawn for a narrow bitmap font,
// and a wide one would clip the labels.
const QStringList& sansFallbacks()
{
    static const QStringList fallbacks{"Liberation Sans Narrow", "DejaVu Sans Condensed", "Liberation Sans",
                                       "Arial",                  "DejaVu Sans",           "Sans Serif"};
    return fallbacks;
}

void installSubstitutes()
{
    static const bool done = [] {
        for (const char* family : {"MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg"})
            QFont::insertSubstitutions(QString::fromLatin1(family), sansFallbacks());
        return true;
    }();
    (void)done;
}

} // namespace

QFont toQFont(const ui::Font& font)
{
    installSubstitutes();
    const QString family = utf8Text(font.name);
    QFont result(family);
    if (!fontFamilyInstalled(family)) {
        for (const QString& fallback : sansFallbacks()) {
            if (fontFamilyInstalled(fallback)) {
                result.setFamily(fallback);
                break;
            }
        }
    }
    result.setStyleHint(QFont::SansSerif);
    result.setPointSizeF(font.points);
    result.setBold(font.bold);
    result.setUnderline(font.underline);
    return result;
}

QFont fittedFont(const QFont& font, const QString& text, int width)
{
    QFont fitted = font;
    const double designed = font.pointSizeF();
    if (text.isEmpty() || width <= 0 || designed <= 0) return fitted;
    for (double size = designed; size >= designed * 0.7; size -= 0.25) {
        fitted.setPointSizeF(size);
        if (QFontMetricsF(fitted).horizontalAdvance(text) <= width) return fitted;
    }
    return fitted;
}

} // namespace corvane::qt
