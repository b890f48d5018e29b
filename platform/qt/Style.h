#pragma once
// Fonts and colours of the designer tables in Qt terms.

#include <QColor>
#include <QFont>

#include "ui/Layout.h"

namespace corvane::qt {

[[nodiscard]] inline QColor toQColor(const ui::Color& c) { return {c.red, c.green, c.blue}; }

// The designer's font at its point size. Families missing on this machine
// ("MS Sans Serif") fall back to a close sans-serif.
[[nodiscard]] QFont toQFont(const ui::Font& font);

// The font made smaller, a little at a time, until `text` fits `width`
// pixels: the stand-in family is wider than the one the tables were drawn
// for. Never below 70% of the designed size.
[[nodiscard]] QFont fittedFont(const QFont& font, const QString& text, int width);

} // namespace corvane::qt
