#include "qgis/QgisDocument.h"

#include <qgscoordinatetransform.h>
#include <qgsexception.h>
#include <qgslayertree.h>
#include <qgsmapcanvas.h>
#include <qgsproject.h>

#include "host/HostError.h"
#include "qgis/QgisGeometry.h"
#include "qgis/QgisLayers.h"

namespace corvane::qgis {

host::Ref<host::IMap> QgisCanvasView::FocusMap()
{
    QgsProject* project = m_project.data();
    return host::makeRef<QgisMap>(project != nullptr ? project->layerTreeRoot() : nullptr);
}

QgsMapCanvas& QgisCanvasView::canvas() const
{
    QgsMapCanvas* canvas = m_canvas.data();
    if (canvas == nullptr) host::raiseError(host::errors::kHostCallFailed, "The map canvas is closed");
    return *canvas;
}

host::Ref<host::IEnvelope> QgisCanvasView::Extent()
{
    QgsMapCanvas& c = canvas();
    return host::makeRef<QgisEnvelope>(c.extent(), c.mapSettings().destinationCrs());
}

void QgisCanvasView::Extent(const host::Ref<host::IEnvelope>& extent)
{
    QgsMapCanvas& c = canvas();
    QgsRectangle box(extent->XMin(), extent->YMin(), extent->XMax(), extent->YMax(), false);
    const QgsCoordinateReferenceSystem target = c.mapSettings().destinationCrs();
    const auto* ours = dynamic_cast<const QgisEnvelope*>(extent.get());
    if (ours != nullptr && ours->crs().isValid() && target.isValid() && ours->crs() != target) {
        const QgsCoordinateTransformContext context =
            m_project ? m_project->transformContext() : QgsCoordinateTransformContext();
        try {
            const QgsCoordinateTransform transform(ours->crs(), target, context);
            box = transform.transformBoundingBox(box);
        } catch (const QgsCsException& e) {
            host::raiseError(host::errors::kHostCallFailed, e.what().toStdString());
        }
    }
    c.setExtent(box);
    if (ours != nullptr) {
        m_mark.show(c, ours->from().shape, ours->from().layer.data());
    } else {
        m_mark.clear();
    }
}

void QgisCanvasView::Refresh() { canvas().refresh(); }

} // namespace corvane::qgis
