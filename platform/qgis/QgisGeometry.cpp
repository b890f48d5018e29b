#include "qgis/QgisGeometry.h"

#include <cmath>

#include "host/HostError.h"

namespace corvane::qgis {

void QgisEnvelope::Expand(double dx, double dy, bool asRatio)
{
    double xMin = m_box.xMinimum(), yMin = m_box.yMinimum(), xMax = m_box.xMaximum(), yMax = m_box.yMaximum();
    if (asRatio) {
        const double halfWidth = (xMax - xMin) * dx / 2.0;
        const double halfHeight = (yMax - yMin) * dy / 2.0;
        const double centreX = (xMin + xMax) / 2.0;
        const double centreY = (yMin + yMax) / 2.0;
        xMin = centreX - halfWidth;
        xMax = centreX + halfWidth;
        yMin = centreY - halfHeight;
        yMax = centreY + halfHeight;
    } else {
        xMin -= dx;
        yMin -= dy;
        xMax += dx;
        yMax += dy;
    }
    if (!std::isfinite(xMin) || !std::isfinite(yMin) || !std::isfinite(xMax) || !std::isfinite(yMax))
        host::raiseError(6, "Overflow");
    if (xMin > xMax || yMin > yMax)
        host::raiseError(host::errors::kHostCallFailed, "Expand would turn the envelope inside out");
    // QgsRectangle's constructor would normalise; these are already ordered.
    m_box = QgsRectangle(xMin, yMin, xMax, yMax, false);
}

host::Ref<host::IEnvelope> QgisGeometry::Envelope()
{
    if (m_geometry.isNull() || m_geometry.isEmpty()) return host::makeRef<QgisEnvelope>(QgsRectangle(0, 0, 0, 0), m_crs);
    return host::makeRef<QgisEnvelope>(m_geometry.boundingBox(), m_crs, ShapeOf{m_geometry, m_layer});
}

} // namespace corvane::qgis
