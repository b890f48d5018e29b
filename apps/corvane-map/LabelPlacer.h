#pragma once
// Places the labels of one picture. Layers offer candidates while they
// draw; the placer keeps the box of every label it accepted and refuses a
// candidate that would overlap one of them or that is wider than its own
// feature on screen, so no two labels ever overlap. Candidates are taken in
// the order offered: the renderer offers the top layer's first. Used by one
// render at a time, on the thread that renders.
//
//   LabelPlacer labels(font);
//   labels.offer({QPointF(120, 80), 0.0, 60.0, "112"});   // a parcel 60 px wide
//   labels.draw(painter);

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace corvane::map {

struct LabelCandidate {
    QPointF anchor;       // the label's centre, in pixels
    double angle = 0.0;   // degrees, clockwise on screen (along a street)
    double room = -1.0;   // the feature's size along the label; < 0: no limit (points)
    QString text;
};

class LabelPlacer {
public:
    explicit LabelPlacer(const QFont& font);

    // Accepts the label when it fits its feature and meets no accepted
    // label; returns whether it did.
    bool offer(const LabelCandidate& candidate);
    // Draws the accepted labels with a light halo.
    void draw(QPainter& painter) const;

    // The screen outline of each accepted label (a rotated rectangle).
    [[nodiscard]] const std::vector<QPolygonF>& placed() const noexcept { return m_outlines; }

private:
    QFont m_font;
    QFontMetricsF m_metrics;
    std::vector<LabelCandidate> m_accepted;
    std::vector<QPolygonF> m_outlines;
    std::vector<QRectF> m_bounds;
};

// Whether two convex outlines overlap (separating axis test).
[[nodiscard]] bool outlinesOverlap(const QPolygonF& a, const QPolygonF& b);

} // namespace corvane::map
