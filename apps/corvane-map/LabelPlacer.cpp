#include "LabelPlacer.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <cmath>

namespace corvane::map {

namespace {

constexpr double kPadding = 2.0;  // pixels kept free around each label

QPolygonF outlineOf(const LabelCandidate& label, const QSizeF& size)
{
    const QRectF box(-size.width() / 2 - kPadding, -size.height() / 2 - kPadding, size.width() + 2 * kPadding,
                     size.height() + 2 * kPadding);
    QTransform place;
    place.translate(label.anchor.x(), label.anchor.y());
    place.rotate(label.angle);
    return place.map(QPolygonF(box));
}

bool separatedAlong(const QPolygonF& a, const QPolygonF& b, const QPointF& axis)
{
    double aMin = INFINITY, aMax = -INFINITY, bMin = INFINITY, bMax = -INFINITY;
    for (const QPointF& p : a) {
        const double d = p.x() * axis.x() + p.y() * axis.y();
        aMin = std::min(aMin, d);
        aMax = std::max(aMax, d);
    }
    for (const QPointF& p : b) {
        const double d = p.x() * axis.x() + p.y() * axis.y();
        bMin = std::min(bMin, d);
        bMax = std::max(bMax, d);
    }
    return aMax <= bMin || bMax <= aMin;
}

bool separatedByEdgesOf(const QPolygonF& shape, const QPolygonF& a, const QPolygonF& b)
{
    for (qsizetype i = 0; i + 1 < shape.size(); ++i) {
        const QPointF edge = shape[i + 1] - shape[i];
        if (separatedAlong(a, b, QPointF(-edge.y(), edge.x()))) return true;
    }
    return false;
}

} // namespace

bool outlinesOverlap(const QPolygonF& a, const QPolygonF& b)
{
    if (!a.boundingRect().intersects(b.boundingRect())) return false;
    return !separatedByEdgesOf(a, a, b) && !separatedByEdgesOf(b, a, b);
}

LabelPlacer::LabelPlacer(const QFont& font) : m_font(font), m_metrics(font) {}

bool LabelPlacer::offer(const LabelCandidate& candidate)
{
    if (candidate.text.isEmpty()) return false;
    const QSizeF size(m_metrics.horizontalAdvance(candidate.text), m_metrics.height());
    if (candidate.room >= 0 && size.width() > candidate.room) return false;
    const QPolygonF outline = outlineOf(candidate, size);
    const QRectF bounds = outline.boundingRect();
    for (std::size_t i = 0; i < m_outlines.size(); ++i) {
        if (m_bounds[i].intersects(bounds) && outlinesOverlap(m_outlines[i], outline)) return false;
    }
    m_accepted.push_back(candidate);
    m_outlines.push_back(outline);
    m_bounds.push_back(bounds);
    return true;
}

void LabelPlacer::draw(QPainter& painter) const
{
    painter.save();
    painter.setFont(m_font);
    for (const LabelCandidate& label : m_accepted) {
        QPainterPath path;
        const double width = m_metrics.horizontalAdvance(label.text);
        path.addText(QPointF(-width / 2, m_metrics.ascent() - m_metrics.height() / 2), m_font, label.text);
        QTransform place;
        place.translate(label.anchor.x(), label.anchor.y());
        place.rotate(label.angle);
        const QPainterPath placed = place.map(path);
        painter.strokePath(placed, QPen(QColor(255, 255, 255, 220), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.fillPath(placed, QColor(40, 40, 40));
    }
    painter.restore();
}

} // namespace corvane::map
