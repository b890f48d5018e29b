#include "HighlightOverlay.h"

#include <QFontMetricsF>
#include <QPainterPath>

namespace corvane::map {

namespace {

void addShape(QPainterPath& path, const OGRGeometry& geometry, const QTransform& t)
{
    const auto addLine = [&](const OGRLineString& line, bool close) {
        const int n = line.getNumPoints();
        if (n == 0) return;
        path.moveTo(t.map(QPointF(line.getX(0), line.getY(0))));
        for (int i = 1; i < n; ++i) path.lineTo(t.map(QPointF(line.getX(i), line.getY(i))));
        if (close) path.closeSubpath();
    };
    switch (wkbFlatten(geometry.getGeometryType())) {
    case wkbPoint: {
        const QPointF at = t.map(QPointF(geometry.toPoint()->getX(), geometry.toPoint()->getY()));
        path.addEllipse(at, 9.0, 9.0);
        break;
    }
    case wkbLineString: addLine(*geometry.toLineString(), false); break;
    case wkbPolygon: {
        const OGRPolygon& polygon = *geometry.toPolygon();
        if (const OGRLinearRing* outer = polygon.getExteriorRing()) addLine(*outer, true);
        for (int i = 0; i < polygon.getNumInteriorRings(); ++i) addLine(*polygon.getInteriorRing(i), true);
        break;
    }
    case wkbMultiPoint:
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection:
        for (const OGRGeometry* part : *geometry.toGeometryCollection()) addShape(path, *part, t);
        break;
    default: break;
    }
}

} // namespace

void HighlightOverlay::mark(std::unique_ptr<OGRGeometry> shape, QString label)
{
    m_shape = std::move(shape);
    m_label = std::move(label);
}

void HighlightOverlay::clear()
{
    m_shape.reset();
    m_label.clear();
}

void HighlightOverlay::paint(QPainter& painter, const QTransform& toPixels) const
{
    if (!m_shape) return;
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    addShape(path, *m_shape, toPixels);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QColor wash = kHighlightColour;
    wash.setAlpha(60);
    painter.fillPath(path, wash);
    // A dark rim under the bright line keeps it visible on any background.
    painter.strokePath(path, QPen(QColor(0, 40, 80), 7.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.strokePath(path, QPen(kHighlightColour, 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (!m_label.isEmpty()) {
        QFont font = painter.font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.4);
        const QFontMetricsF metrics(font);
        const QRectF bounds = path.boundingRect();
        QRectF tag(0, 0, metrics.horizontalAdvance(m_label) + 12.0, metrics.height() + 6.0);
        // Inside the feature when it is big enough, else just above it.
        if (bounds.width() > tag.width() + 8 && bounds.height() > tag.height() + 8)
            tag.moveCenter(bounds.center());
        else
            tag.moveCenter(QPointF(bounds.center().x(), bounds.top() - tag.height() / 2 - 6.0));
        painter.setPen(QPen(QColor(0, 40, 80), 1.5));
        painter.setBrush(QColor(255, 255, 255, 235));
        painter.drawRoundedRect(tag, 4.0, 4.0);
        painter.setFont(font);
        painter.setPen(QColor(0, 40, 80));
        painter.drawText(tag, Qt::AlignCenter, m_label);
    }
    painter.restore();
}

} // namespace corvane::map
