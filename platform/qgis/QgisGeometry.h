#pragma once
// Shapes and envelopes handed to the system by the QGIS host. Each carries
// the coordinate system it is written in (its layer's, or the project's for
// the canvas extent), so that the map view can transform an envelope taken
// from a feature before it becomes the canvas extent. An envelope taken from
// a feature's shape also carries that shape and its layer, so that the view
// can mark the feature it was zoomed to.

#include <QPointer>

#include <qgscoordinatereferencesystem.h>
#include <qgsgeometry.h>
#include <qgsrectangle.h>
#include <qgsvectorlayer.h>

#include "host/Geometry.h"

namespace corvane::qgis {

// The shape an envelope was taken from, in its layer's system.
struct ShapeOf {
    QgsGeometry shape;
    QPointer<QgsVectorLayer> layer;
};

class QgisEnvelope final : public host::IEnvelope {
public:
    QgisEnvelope(const QgsRectangle& box, QgsCoordinateReferenceSystem crs, ShapeOf from = {})
        : m_box(box), m_crs(std::move(crs)), m_from(std::move(from))
    {
    }
    host::Ref<host::IEnvelope> Envelope() override { return host::makeRef<QgisEnvelope>(m_box, m_crs, m_from); }
    double XMin() override { return m_box.xMinimum(); }
    double YMin() override { return m_box.yMinimum(); }
    double XMax() override { return m_box.xMaximum(); }
    double YMax() override { return m_box.yMaximum(); }
    // Raises error 6 when the result overflows, and a host error when it
    // would turn the envelope inside out.
    void Expand(double dx, double dy, bool asRatio) override;

    [[nodiscard]] const QgsRectangle& box() const noexcept { return m_box; }
    [[nodiscard]] const QgsCoordinateReferenceSystem& crs() const noexcept { return m_crs; }
    // An empty shape for an envelope of no feature.
    [[nodiscard]] const ShapeOf& from() const noexcept { return m_from; }

private:
    QgsRectangle m_box;
    QgsCoordinateReferenceSystem m_crs;
    ShapeOf m_from;
};

class QgisGeometry final : public host::IGeometry {
public:
    // `layer`: the layer of the feature the shape belongs to, if any.
    QgisGeometry(QgsGeometry geometry, QgsCoordinateReferenceSystem crs, QgsVectorLayer* layer = nullptr)
        : m_geometry(std::move(geometry)), m_crs(std::move(crs)), m_layer(layer)
    {
    }
    // An empty geometry has an all-zero envelope.
    host::Ref<host::IEnvelope> Envelope() override;

    [[nodiscard]] const QgsGeometry& geometry() const noexcept { return m_geometry; }

private:
    QgsGeometry m_geometry;
    QgsCoordinateReferenceSystem m_crs;
    QPointer<QgsVectorLayer> m_layer;
};

} // namespace corvane::qgis
