#pragma once
// The map canvas: the focus map in data view, or a page with the map in a
// frame in layout view. Dragging pans and the wheel zooms the map (in both
// views the map's own extent moves). Each change asks a RenderWorker for a
// new picture and returns at once; the canvas paints what is ready (until
// then the last picture, moved and scaled to where its extent now lies) and
// never a picture of an extent that a newer one has replaced.
// The feature the map was last zoomed to is marked over the picture until
// the extent changes again.

#include <QElapsedTimer>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "HighlightOverlay.h"
#include "LayerLook.h"
#include "MapRenderer.h"
#include "RenderWorker.h"
#include "gdal/GdalDocument.h"

namespace corvane::map {

class MapCanvas final : public QWidget {
public:
    explicit MapCanvas(std::shared_ptr<gdal::GdalDocument> document, QWidget* parent = nullptr);
    ~MapCanvas() override;

    // Follows the document's current map (call after replacing it).
    void attachMap();
    void setLayoutView(bool layout);
    [[nodiscard]] bool layoutView() const noexcept { return m_document->layoutShown(); }
    void zoomToFullExtent();
    // Asks for a picture of the map's current extent; returns at once.
    void redraw();

    // The extent shown: the map's extent widened to the frame's shape. Set
    // at once by a redraw, before its picture is ready.
    [[nodiscard]] const gdal::Box& shownExtent() const noexcept { return m_shown; }
    // The extent of the picture on screen (another one while rendering).
    [[nodiscard]] const gdal::Box& pictureExtent() const noexcept { return m_pictureExtent; }
    // Of the last finished picture.
    [[nodiscard]] const RenderStats& lastStats() const noexcept { return m_stats; }
    // From the redraw to its finished picture on screen.
    [[nodiscard]] double lastRenderMilliseconds() const noexcept { return m_renderMs; }
    [[nodiscard]] int redrawCount() const noexcept { return m_redraws; }
    [[nodiscard]] int finishedCount() const noexcept { return m_finished; }

    // True when the picture of the shown extent is finished and on screen.
    [[nodiscard]] bool pictureComplete() const noexcept { return m_complete; }
    // Calls `then` on this thread once the picture of the extent shown then
    // is finished (at once when it is already).
    void whenPictureComplete(std::function<void()> then);
    // Where slow preparation (an index being built) and read problems go.
    void setStatusListener(std::function<void(const QString&)> listener) { m_status = std::move(listener); }
    // Painted over the map, clipped to it, with map units to widget pixels.
    void setOverlay(std::function<void(QPainter&, const QTransform&)> overlay);
    // Per-layer settings (scale ranges) apply from the next redraw.
    [[nodiscard]] MapRenderer& renderer() noexcept { return m_renderer; }
    // Where the map is drawn, in widget pixels.
    [[nodiscard]] QRectF mapArea() const;

    [[nodiscard]] const std::shared_ptr<gdal::GdalDocument>& document() const noexcept { return m_document; }
    // How the layers look; setting it draws again.
    [[nodiscard]] const MapLook& look() const noexcept { return m_look; }
    void setLook(MapLook look);
    [[nodiscard]] const HighlightOverlay& highlight() const noexcept { return m_highlight; }
    // The map's point under a widget position (map system).
    [[nodiscard]] QPointF mapPointAt(const QPointF& position) const;
    // 1:N of what is shown; 0 when unknown.
    [[nodiscard]] double scaleDenominator() const;
    // Told where the pointer is over the map, and after each redraw.
    std::function<void(const QPointF& mapPoint)> pointerMoved;
    std::function<void()> redrawn;

    [[nodiscard]] QSize sizeHint() const override { return {800, 600}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    [[nodiscard]] QRectF pageArea() const;
    void setMapExtent(const gdal::Box& box);
    void receive(const RenderResult& result);
    void paintPage(QPainter& painter, const QRectF& area) const;
    void markPickedFeature();

    std::shared_ptr<gdal::GdalDocument> m_document;
    MapRenderer m_renderer;
    QImage m_image;
    gdal::Box m_pictureExtent;
    gdal::Box m_shown;
    RenderStats m_stats;
    QElapsedTimer m_sinceRedraw;
    std::uint64_t m_awaited = 0;
    bool m_complete = true;
    std::vector<std::function<void()>> m_waiting;
    std::function<void(const QString&)> m_status;
    std::function<void(QPainter&, const QTransform&)> m_overlay;
    MapLook m_look;
    HighlightOverlay m_highlight;
    std::uint64_t m_seenHandOut = 0;
    double m_renderMs = 0.0;
    int m_redraws = 0;
    int m_finished = 0;
    bool m_dragging = false;
    QPoint m_dragStart;
    QPoint m_dragOffset;
    // Last: joined first, while everything it posts to still exists.
    std::unique_ptr<RenderWorker> m_worker;
};

} // namespace corvane::map
