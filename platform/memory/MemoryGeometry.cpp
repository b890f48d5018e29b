#include "memory/MemoryGeometry.h"

namespace corvane::memory {

host::Ref<host::IEnvelope> MemoryEnvelope::Envelope()
{
    m_context->faults.check("IGeometry.Envelope");
    return host::makeRef<MemoryEnvelope>(m_context, m_box);
}

double MemoryEnvelope::XMin()
{
    m_context->faults.check("IEnvelope.XMin");
    return m_box.xmin;
}

double MemoryEnvelope::YMin()
{
    m_context->faults.check("IEnvelope.YMin");
    return m_box.ymin;
}

double MemoryEnvelope::XMax()
{
    m_context->faults.check("IEnvelope.XMax");
    return m_box.xmax;
}

double MemoryEnvelope::YMax()
{
    m_context->faults.check("IEnvelope.YMax");
    return m_box.ymax;
}

void MemoryEnvelope::Expand(double dx, double dy, bool asRatio)
{
    m_context->faults.check("IEnvelope.Expand");
    if (asRatio) {
        const double halfWidth = m_box.width() * dx / 2.0;
        const double halfHeight = m_box.height() * dy / 2.0;
        const double cx = m_box.centerX();
        const double cy = m_box.centerY();
        m_box = Box{cx - halfWidth, cy - halfHeight, cx + halfWidth, cy + halfHeight};
    } else {
        m_box = Box{m_box.xmin - dx, m_box.ymin - dy, m_box.xmax + dx, m_box.ymax + dy};
    }
}

host::Ref<host::IEnvelope> MemoryShape::Envelope()
{
    m_context->faults.check("IGeometry.Envelope");
    return host::makeRef<MemoryEnvelope>(m_context, m_box);
}

Box boxOf(const host::Ref<host::IEnvelope>& envelope)
{
    if (const auto* memory = dynamic_cast<const MemoryEnvelope*>(envelope.get())) return memory->box();
    return Box{envelope->XMin(), envelope->YMin(), envelope->XMax(), envelope->YMax()};
}

} // namespace corvane::memory
