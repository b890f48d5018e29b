#pragma once
// Shapes and envelopes handed to the system. A shape keeps its OGR geometry
// so that the map application can draw it; an envelope is a box that knows
// the coordinate system it is in (empty when its layer has none), so that
// a view given an envelope of another system can project it.

#include <memory>

#include <ogr_geometry.h>
#include <ogr_spatialref.h>

#include "host/Geometry.h"

namespace corvane::gdal {

// Shared, immutable, x/y axis order; see SpatialReference.h.
using Srs = std::shared_ptr<const OGRSpatialReference>;

struct Box {
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

class GdalEnvelope final : public host::IEnvelope {
public:
    explicit GdalEnvelope(const Box& box, Srs srs = {}) : m_box(box), m_srs(std::move(srs)) {}
    host::Ref<host::IEnvelope> Envelope() override;
    double XMin() override { return m_box.xMin; }
    double YMin() override { return m_box.yMin; }
    double XMax() override { return m_box.xMax; }
    double YMax() override { return m_box.yMax; }
    void Expand(double dx, double dy, bool asRatio) override;

    [[nodiscard]] const Box& box() const noexcept { return m_box; }
    [[nodiscard]] const Srs& srs() const noexcept { return m_srs; }

private:
    Box m_box;
    Srs m_srs;
};

// The box of any envelope of the host object model (ours or another's).
Box boxOf(host::IEnvelope& envelope);
// Its coordinate system: empty for another host's envelope.
Srs srsOfEnvelope(host::IEnvelope& envelope);

class GdalGeometry final : public host::IGeometry {
public:
    explicit GdalGeometry(std::unique_ptr<OGRGeometry> geometry, Srs srs = {})
        : m_geometry(std::move(geometry)), m_srs(std::move(srs))
    {
    }
    // An empty geometry has an empty (all zero) envelope.
    host::Ref<host::IEnvelope> Envelope() override;

    [[nodiscard]] const OGRGeometry& ogr() const noexcept { return *m_geometry; }
    [[nodiscard]] const Srs& srs() const noexcept { return m_srs; }

private:
    std::unique_ptr<OGRGeometry> m_geometry;
    Srs m_srs;
};

} // namespace corvane::gdal
