#include "MapCanvas.h"

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "PickedFeature.h"

namespace corvane::map {

namespace {

// A letter page in inches, and the map frame's place on it.
constexpr double kPageWidth = 8.5;
constexpr double kPageHeight = 11.0;
constexpr double kFrameMargin = 0.5;
constexpr double kFrameBottom = 1.5;  // room for the title under the frame
constexpr double kScreenMargin = 16.0;

} // namespace

MapCanvas::MapCanvas(std::shared_ptr<gdal::GdalDocument> document, QWidget* parent)
    : QWidget(parent), m_document(std::move(document)), m_renderer(m_document->map())
{
    setObjectName(QStringLiteral("MapCanvas"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::OpenHandCursor);
    attachMap();
}

void MapCanvas::attachMap()
{
    const std::shared_ptr<gdal::GdalMap>& map = m_document->map();
    m_renderer.setMap(map);
    m_look = MapLook::defaultsFor(*map);
    m_renderer.setLook(std::make_shared<const MapLook>(m_look));
    m_highlight.clear();
    // Searches made before this map was shown mark nothing.
    if (auto last = map->handOuts()->latest()) m_seenHandOut = last->serial;
    // The system sets the extent, then refreshes; only the refresh redraws.
    const auto refreshed = [this] {
        markPickedFeature();
        redraw();
    };
    map->setListener({[this](const gdal::Box&) { m_highlight.clear(); }, refreshed});
    m_document->pageLayout()->setMap(map);
    m_document->pageLayout()->setListener({{}, refreshed});
    redraw();
}

void MapCanvas::setLayoutView(bool layout)
{
    m_document->showLayout(layout);
    redraw();
}

void MapCanvas::zoomToFullExtent()
{
    if (auto full = m_document->map()->fullExtent()) setMapExtent(*full);
}

void MapCanvas::setLook(MapLook look)
{
    m_look = std::move(look);
    m_renderer.setLook(std::make_shared<const MapLook>(m_look));
    redraw();
}

void MapCanvas::markPickedFeature()
{
    gdal::GdalMap& map = *m_document->map();
    auto picked = takePickedFeature(map, m_look, m_renderer.transforms(), map.extentBox(), m_seenHandOut);
    if (picked) m_highlight.mark(std::move(picked->shape), picked->label);
}

QPointF MapCanvas::mapPointAt(const QPointF& position) const
{
    const QRectF area = mapArea();
    const double width = m_shown.xMax - m_shown.xMin;
    const double height = m_shown.yMax - m_shown.yMin;
    if (area.width() <= 0 || area.height() <= 0) return {};
    return {m_shown.xMin + (position.x() - area.left()) / area.width() * width,
            m_shown.yMax - (position.y() - area.top()) / area.height() * height};
}

double MapCanvas::scaleDenominator() const
{
    return map::scaleDenominator(m_shown, mapArea().width(), m_document->map()->srs(), logicalDpiX());
}

void MapCanvas::setMapExtent(const gdal::Box& box)
{
    m_document->map()->setExtentBox(box);
    redraw();
}

QRectF MapCanvas::pageArea() const
{
    const QRectF available = QRectF(rect()).adjusted(kScreenMargin, kScreenMargin, -kScreenMargin, -kScreenMargin);
    if (available.width() <= 0 || available.height() <= 0) return {};
    const double scale = std::min(available.width() / kPageWidth, available.height() / kPageHeight);
    QRectF page(0, 0, kPageWidth * scale, kPageHeight * scale);
    page.moveCenter(available.center());
    return page;
}

QRectF MapCanvas::mapArea() const
{
    if (!layoutView()) return QRectF(rect());
    const QRectF page = pageArea();
    const double inch = page.width() / kPageWidth;
    return page.adjusted(kFrameMargin * inch, kFrameMargin * inch, -kFrameMargin * inch, -kFrameBottom * inch);
}

void MapCanvas::redraw()
{
    QElapsedTimer timer;
    timer.start();
    const QSize pixels = size().expandedTo(QSize(1, 1));
    if (m_image.size() != pixels) m_image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&m_image);
    const QRectF area = mapArea();
    if (layoutView()) {
        painter.fillRect(m_image.rect(), QColor(160, 160, 160));
        const QRectF page = pageArea();
        painter.fillRect(page.translated(4, 4), QColor(96, 96, 96));
        painter.fillRect(page, Qt::white);
        painter.setPen(Qt::black);
        const QString title = QString::fromStdString(m_document->map()->name());
        painter.drawText(QRectF(area.left(), area.bottom(), area.width(), page.bottom() - area.bottom()),
                         Qt::AlignCenter, title);
    }
    painter.fillRect(area, QColor(252, 252, 248));
    const gdal::Box requested = m_document->map()->extentBox();
    m_shown = fitExtent(requested, area.size(), groundScaleAt(m_document->map()->srs(), requested));
    m_stats = m_renderer.render(painter, area, m_shown);
    if (layoutView()) {
        painter.setPen(QPen(Qt::black, 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area);
    }
    painter.end();
    m_dragOffset = {};
    ++m_redraws;
    m_renderMs = static_cast<double>(timer.nsecsElapsed()) / 1.0e6;
    update();
    if (redrawn) redrawn();
}

void MapCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_dragOffset.isNull()) {
        painter.drawImage(0, 0, m_image);
    } else {
        painter.fillRect(rect(), QColor(252, 252, 248));
        painter.setClipRect(mapArea());
        painter.drawImage(m_dragOffset, m_image);
    }
    if (m_highlight.marked()) {
        painter.setClipRect(mapArea());
        m_highlight.paint(painter, mapToPixels(m_shown, mapArea()) * QTransform::fromTranslate(m_dragOffset.x(), m_dragOffset.y()));
    }
}

void MapCanvas::resizeEvent(QResizeEvent*) { redraw(); }

void MapCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !mapArea().contains(event->position())) return;
    m_dragging = true;
    m_dragStart = event->position().toPoint();
    setCursor(Qt::ClosedHandCursor);
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (pointerMoved && mapArea().contains(event->position())) pointerMoved(mapPointAt(event->position()));
    if (!m_dragging) return;
    m_dragOffset = event->position().toPoint() - m_dragStart;
    update();
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) return;
    m_dragging = false;
    setCursor(Qt::OpenHandCursor);
    const QPoint moved = event->position().toPoint() - m_dragStart;
    if (moved.isNull()) {
        m_dragOffset = {};
        update();
        return;
    }
    const QRectF area = mapArea();
    const double unitsPerPixel = (m_shown.xMax - m_shown.xMin) / std::max(area.width(), 1.0);
    const double dx = -moved.x() * unitsPerPixel;
    const double dy = moved.y() * unitsPerPixel;
    setMapExtent({m_shown.xMin + dx, m_shown.yMin + dy, m_shown.xMax + dx, m_shown.yMax + dy});
}

void MapCanvas::wheelEvent(QWheelEvent* event)
{
    const QRectF area = mapArea();
    const QPointF at = event->position();
    if (!area.contains(at) || event->angleDelta().y() == 0) return;
    // One notch zooms by a quarter, about the point under the pointer.
    const double factor = std::pow(0.8, event->angleDelta().y() / 120.0);
    const double width = m_shown.xMax - m_shown.xMin;
    const double height = m_shown.yMax - m_shown.yMin;
    const double px = m_shown.xMin + (at.x() - area.left()) / area.width() * width;
    const double py = m_shown.yMax - (at.y() - area.top()) / area.height() * height;
    setMapExtent({px - (px - m_shown.xMin) * factor, py - (py - m_shown.yMin) * factor,
                  px + (m_shown.xMax - px) * factor, py + (m_shown.yMax - py) * factor});
    event->accept();
}

} // namespace corvane::map
