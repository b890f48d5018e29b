#pragma once
// The mark on the feature the map was last zoomed to: a thick outline in a
// highlight colour and the feature's label in a tag beside it, painted by
// the canvas over the finished picture (the layers' own drawing is never
// changed for it). It stays until the extent changes again. UI thread.
//
//   overlay.mark(std::move(shapeInMapSystem), "112");
//   overlay.paint(painter, mapToPixels(shown, area));
//   overlay.clear();                       // on the next extent change

#include <QPainter>
#include <QString>
#include <QTransform>
#include <memory>

#include <ogr_geometry.h>

namespace corvane::map {

// The highlight colour: a strong cyan that no default layer colour uses.
inline const QColor kHighlightColour(0, 200, 255);

class HighlightOverlay {
public:
    void mark(std::unique_ptr<OGRGeometry> shape, QString label);
    void clear();
    [[nodiscard]] bool marked() const noexcept { return m_shape != nullptr; }
    [[nodiscard]] const QString& label() const noexcept { return m_label; }
    [[nodiscard]] const OGRGeometry* shape() const noexcept { return m_shape.get(); }

    void paint(QPainter& painter, const QTransform& toPixels) const;

private:
    std::unique_ptr<OGRGeometry> m_shape;
    QString m_label;
};

} // namespace corvane::map
