#include "MapCanvas.h"

#include <QMetaObject>
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
const QColor kPaper(252, 252, 248);

} // namespace

MapCanvas::MapCanvas(std::shared_ptr<gdal::GdalDocument> document, QWidget* parent)
    : QWidget(parent), m_document(std::move(document)), m_renderer(m_document->map())
{
    // Results come back on the worker thread; queued to this object, they
    // are dropped by Qt if the canvas is gone first.
    m_worker = std::make_unique<RenderWorker>(RenderDelivery{
        [this](RenderResult result) {
            QMetaObject::invokeMethod(this, [this, result] { receive(result); }, Qt::QueuedConnection);
        },
        [this](const QString& text) {
            QMetaObject::invokeMethod(
                this, [this, text] {
                    if (m_status) m_status(text);
                },
                Qt::QueuedConnection);
        }});
    setObjectName(QStringLiteral("MapCanvas"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::OpenHandCursor);
    attachMap();
}

MapCanvas::~MapCanvas() { m_worker.reset(); }

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
    const QRectF area = mapArea();
    const gdal::Box requested = m_document->map()->extentBox();
    m_shown = fitExtent(requested, area.size(), groundScaleAt(m_document->map()->srs(), requested));
    m_awaited = m_worker->submit(
        {withLayerSnapshot(m_renderer), area.size().toSize().expandedTo(QSize(1, 1)), m_shown, kPaper});
    m_complete = false;
    m_sinceRedraw.start();
    m_dragOffset = {};
    ++m_redraws;
    update();
    if (redrawn) redrawn();
}

void MapCanvas::receive(const RenderResult& result)
{
    // A picture of an extent since replaced is never shown.
    if (result.generation != m_awaited) return;
    m_image = result.image;
    m_pictureExtent = result.extent;
    if (!result.problem.isEmpty() && m_status) m_status(result.problem);
    if (result.complete) {
        m_complete = true;
        m_stats = result.stats;
        m_renderMs = static_cast<double>(m_sinceRedraw.nsecsElapsed()) / 1.0e6;
        ++m_finished;
    }
    update();
    if (!m_complete) return;
    std::vector<std::function<void()>> waiting;
    waiting.swap(m_waiting);
    for (const auto& then : waiting) then();
}

void MapCanvas::whenPictureComplete(std::function<void()> then)
{
    if (m_complete)
        then();
    else
        m_waiting.push_back(std::move(then));
}

void MapCanvas::setOverlay(std::function<void(QPainter&, const QTransform&)> overlay)
{
    m_overlay = std::move(overlay);
    update();
}

void MapCanvas::paintPage(QPainter& painter, const QRectF& area) const
{
    painter.fillRect(rect(), QColor(160, 160, 160));
    const QRectF page = pageArea();
    painter.fillRect(page.translated(4, 4), QColor(96, 96, 96));
    painter.fillRect(page, Qt::white);
    painter.setPen(Qt::black);
    const QString title = QString::fromStdString(m_document->map()->name());
    painter.drawText(QRectF(area.left(), area.bottom(), area.width(), page.bottom() - area.bottom()), Qt::AlignCenter,
                     title);
}

void MapCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF area = mapArea();
    if (layoutView()) paintPage(painter, area);
    const QTransform toWidget = mapToPixels(m_shown, area) * QTransform::fromTranslate(m_dragOffset.x(), m_dragOffset.y());
    // While a new picture renders, the last one stands in where its extent
    // lies now (moved by a pan, scaled by a zoom).
    const QRectF where = toWidget.mapRect(QRectF(QPointF(m_pictureExtent.xMin, m_pictureExtent.yMin),
                                                 QPointF(m_pictureExtent.xMax, m_pictureExtent.yMax)));
    // Paper only where the picture leaves some: each full-size fill is a
    // pass over every pixel of the window.
    if (m_image.isNull() || m_image.hasAlphaChannel() || !where.adjusted(-0.01, -0.01, 0.01, 0.01).contains(area))
        painter.fillRect(area, kPaper);
    painter.save();
    painter.setClipRect(area);
    if (!m_image.isNull()) {
        if (where.size().toSize() == m_image.size())
            painter.drawImage(where.topLeft(), m_image);
        else
            painter.drawImage(where, m_image);
    }
    if (m_highlight.marked()) m_highlight.paint(painter, toWidget);
    if (m_overlay) m_overlay(painter, toWidget);
    painter.restore();
    if (layoutView()) {
        painter.setPen(QPen(Qt::black, 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area);
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
