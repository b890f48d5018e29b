#pragma once
// Geometry members the system uses: a shape's envelope, and expanding an
// envelope about its centre. Called on the UI thread only.

#include "host/Ref.h"

namespace corvane::host {

struct IEnvelope;

struct IGeometry : virtual HostObject {
    // A new envelope object (a copy): changing it does not change the shape.
    virtual Ref<IEnvelope> Envelope() = 0;
};

struct IEnvelope : IGeometry {
    virtual double XMin() = 0;
    virtual double YMin() = 0;
    virtual double XMax() = 0;
    virtual double YMax() = 0;
    // asRatio true: width and height are multiplied by dx and dy about the centre.
    // asRatio false: dx and dy are added on each side.
    virtual void Expand(double dx, double dy, bool asRatio) = 0;
};

} // namespace corvane::host
