#pragma once
// The mark on the feature the system last zoomed the canvas to: QGIS's own
// highlight (a thick outline, a light fill) of the feature's shape. The
// system zooms by setting the extent from a feature's envelope; the canvas
// view marks the shape that envelope was taken from, and clears the mark
// when the system sets an extent of no feature. The mark also goes when the
// canvas shows another extent (the user pans or zooms), and with the view.
// UI thread only.
//
//   mark.show(*canvas, shape, layer);   // after the canvas took the extent
//   mark.clear();

#include <QMetaObject>
#include <QPointer>

#include <qgsgeometry.h>
#include <qgshighlight.h>
#include <qgsmapcanvas.h>
#include <qgsvectorlayer.h>

namespace corvane::qgis {

class ZoomedFeatureMark {
public:
    ZoomedFeatureMark() = default;
    ~ZoomedFeatureMark() { clear(); }
    ZoomedFeatureMark(const ZoomedFeatureMark&) = delete;
    ZoomedFeatureMark& operator=(const ZoomedFeatureMark&) = delete;

    // `shape` is in `layer`'s coordinate system; nothing is marked when
    // the layer is gone or the shape is empty.
    void show(QgsMapCanvas& canvas, const QgsGeometry& shape, QgsVectorLayer* layer);
    void clear();
    [[nodiscard]] QgsHighlight* highlight() const noexcept { return m_highlight.data(); }

private:
    QPointer<QgsHighlight> m_highlight;
    QMetaObject::Connection m_extentWatch;
};

} // namespace corvane::qgis
