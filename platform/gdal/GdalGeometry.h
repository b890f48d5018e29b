#pragma once
// Shapes and envelopes handed to the system. A shape keeps its OGR geometry
// so that the map application can draw it; an envelope is a plain box.

#include <memory>

#include <ogr_geometry.h>

#include "host/Geometry.h"

namespace corvane::gdal {

struct Box {
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

class GdalEnvelope final : public host::IEnvelope {
public:
    explicit GdalEnvelope(const Box& box) : m_box(box) {}
    host::Ref<host::IEnvelope> Envelope() override;
    double XMin() override { return m_box.xMin; }
    double YMin() override { return m_box.yMin; }
    double XMax() override { return m_box.xMax; }
    double YMax() override { return m_box.yMax; }
    void Expand(double dx, double dy, bool asRatio) override;

    [[nodiscard]] const Box& box() const noexcept { return m_box; }

private:
    Box m_box;
};

// The box of any envelope of the host object model (ours or another's).
Box boxOf(host::IEnvelope& envelope);

class GdalGeometry final : public host::IGeometry {
public:
    explicit GdalGeometry(std::unique_ptr<OGRGeometry> geometry) : m_geometry(std::move(geometry)) {}
    // An empty geometry has an empty (all zero) envelope.
    host::Ref<host::IEnvelope> Envelope() override;

    [[nodiscard]] const OGRGeometry& ogr() const noexcept { return *m_geometry; }

private:
    std::unique_ptr<OGRGeometry> m_geometry;
};

} // namespace corvane::gdal
