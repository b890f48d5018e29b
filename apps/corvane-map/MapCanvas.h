#pragma once
// The map canvas: the focus map in data view, or a page with the map in a
// frame in layout view. Dragging pans and the wheel zooms the map (in both
// views the map's own extent moves). The picture is drawn once per change
// into a cached image, so repaints of the window cost nothing. The feature
// the map was last zoomed to is marked over that image until the extent
// changes again.

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>

#include "HighlightOverlay.h"
#include "LayerLook.h"
#include "MapRenderer.h"
#include "gdal/GdalDocument.h"

namespace corvane::map {

class MapCanvas final : public QWidget {
public:
    explicit MapCanvas(std::shared_ptr<gdal::GdalDocument> document, QWidget* parent = nullptr);

    // Follows the document's current map (call after replacing it).
    void attachMap();
    void setLayoutView(bool layout);
    [[nodiscard]] bool layoutView() const noexcept { return m_document->layoutShown(); }
    void zoomToFullExtent();
    // Draws again now, at the map's current extent.
    void redraw();

    // The extent drawn last: the map's extent widened to the frame's shape.
    [[nodiscard]] const gdal::Box& shownExtent() const noexcept { return m_shown; }
    [[nodiscard]] const RenderStats& lastStats() const noexcept { return m_stats; }
    [[nodiscard]] double lastRenderMilliseconds() const noexcept { return m_renderMs; }
    [[nodiscard]] int redrawCount() const noexcept { return m_redraws; }
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
    void markPickedFeature();

    std::shared_ptr<gdal::GdalDocument> m_document;
    MapRenderer m_renderer;
    QImage m_image;
    gdal::Box m_shown;
    RenderStats m_stats;
    MapLook m_look;
    HighlightOverlay m_highlight;
    std::uint64_t m_seenHandOut = 0;
    double m_renderMs = 0.0;
    int m_redraws = 0;
    bool m_dragging = false;
    QPoint m_dragStart;
    QPoint m_dragOffset;
};

} // namespace corvane::map
