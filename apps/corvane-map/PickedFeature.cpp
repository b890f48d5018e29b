#include "PickedFeature.h"

namespace corvane::map {

namespace {

bool within(const OGREnvelope& inner, const gdal::Box& outer)
{
    // A hair of slack for the rounding of a projected envelope.
    const double slackX = (outer.xMax - outer.xMin) * 1e-6;
    const double slackY = (outer.yMax - outer.yMin) * 1e-6;
    return inner.MinX >= outer.xMin - slackX && inner.MaxX <= outer.xMax + slackX && inner.MinY >= outer.yMin - slackY &&
           inner.MaxY <= outer.yMax + slackY;
}

} // namespace

std::optional<PickedFeature> takePickedFeature(gdal::GdalMap& map, const MapLook& look, gdal::TransformPool& transforms,
                                               const gdal::Box& extent, std::uint64_t& seenSerial)
{
    const std::optional<gdal::HandedOutFeature> last = map.handOuts()->latest();
    if (!last || last->serial <= seenSerial) return std::nullopt;
    seenSerial = last->serial;
    if (!last->shape) return std::nullopt;
    std::unique_ptr<OGRGeometry> shape(last->shape->clone());
    if (auto toMap = transforms.borrow(last->srs, map.srs())) {
        if (shape->transform(toMap.get()) != OGRERR_NONE) return std::nullopt;
    }
    OGREnvelope envelope;
    shape->getEnvelope(&envelope);
    if (!within(envelope, extent)) return std::nullopt;

    PickedFeature picked{std::move(shape), {}};
    for (gdal::FeatureLayer* layer : featureLayersOf(map)) {
        if (&layer->table() != last->table) continue;
        const std::string& field = look.of(*layer).labelField;
        if (!field.empty()) picked.label = QString::fromStdString(last->field(field).value_or(std::string()));
    }
    return picked;
}

} // namespace corvane::map
