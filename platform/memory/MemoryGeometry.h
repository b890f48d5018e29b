#pragma once
// Envelope-shaped geometry: a feature's shape and the envelopes taken from it
// or from a view. Every Envelope() hands out a new copy.

#include "host/Geometry.h"
#include "memory/Box.h"
#include "memory/HostContext.h"

namespace corvane::memory {

class MemoryEnvelope final : public host::IEnvelope {
public:
    MemoryEnvelope(ContextPtr context, const Box& box) : m_context(std::move(context)), m_box(box) {}

    [[nodiscard]] const Box& box() const noexcept { return m_box; }

    host::Ref<host::IEnvelope> Envelope() override;
    double XMin() override;
    double YMin() override;
    double XMax() override;
    double YMax() override;
    void Expand(double dx, double dy, bool asRatio) override;

private:
    ContextPtr m_context;
    Box m_box;
};

// A feature's shape: a geometry that is not itself an envelope.
class MemoryShape final : public host::IGeometry {
public:
    MemoryShape(ContextPtr context, const Box& box) : m_context(std::move(context)), m_box(box) {}

    [[nodiscard]] const Box& box() const noexcept { return m_box; }

    host::Ref<host::IEnvelope> Envelope() override;

private:
    ContextPtr m_context;
    Box m_box;
};

// The rectangle of any envelope; a memory envelope is read without host calls.
[[nodiscard]] Box boxOf(const host::Ref<host::IEnvelope>& envelope);

} // namespace corvane::memory
