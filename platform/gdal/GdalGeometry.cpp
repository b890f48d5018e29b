#include "gdal/GdalGeometry.h"

#include <cmath>

#include "host/HostError.h"

namespace corvane::gdal {

host::Ref<host::IEnvelope> GdalEnvelope::Envelope() { return host::makeRef<GdalEnvelope>(m_box, m_srs); }

void GdalEnvelope::Expand(double dx, double dy, bool asRatio)
{
    Box expanded = m_box;
    if (asRatio) {
        const double halfWidth = (m_box.xMax - m_box.xMin) * dx / 2.0;
        const double halfHeight = (m_box.yMax - m_box.yMin) * dy / 2.0;
        const double centreX = (m_box.xMin + m_box.xMax) / 2.0;
        const double centreY = (m_box.yMin + m_box.yMax) / 2.0;
        expanded = {centreX - halfWidth, centreY - halfHeight, centreX + halfWidth, centreY + halfHeight};
    } else {
        expanded = {m_box.xMin - dx, m_box.yMin - dy, m_box.xMax + dx, m_box.yMax + dy};
    }
    if (!std::isfinite(expanded.xMin) || !std::isfinite(expanded.yMin) || !std::isfinite(expanded.xMax) ||
        !std::isfinite(expanded.yMax)) {
        host::raiseError(6, "Overflow");
    }
    if (expanded.xMin > expanded.xMax || expanded.yMin > expanded.yMax) {
        host::raiseError(host::errors::kHostCallFailed, "Expand would turn the envelope inside out");
    }
    m_box = expanded;
}

Box boxOf(host::IEnvelope& envelope)
{
    if (auto* ours = dynamic_cast<GdalEnvelope*>(&envelope)) return ours->box();
    return {envelope.XMin(), envelope.YMin(), envelope.XMax(), envelope.YMax()};
}

Srs srsOfEnvelope(host::IEnvelope& envelope)
{
    if (auto* ours = dynamic_cast<GdalEnvelope*>(&envelope)) return ours->srs();
    return {};
}

host::Ref<host::IEnvelope> GdalGeometry::Envelope()
{
    if (m_geometry->IsEmpty()) return host::makeRef<GdalEnvelope>(Box{}, m_srs);
    OGREnvelope envelope;
    m_geometry->getEnvelope(&envelope);
    return host::makeRef<GdalEnvelope>(Box{envelope.MinX, envelope.MinY, envelope.MaxX, envelope.MaxY}, m_srs);
}

} // namespace corvane::gdal
