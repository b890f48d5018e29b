#pragma once
// How each feature layer of a map is drawn: shown or hidden, its fill and
// outline colours, and the field whose values label its features. The
// canvas keeps one MapLook per map and hands the renderer a copy, so a
// drawing thread never reads what the user is changing.
//
//   MapLook look = MapLook::defaultsFor(*map);
//   look.of(parcels).labelField = "ADDNUM_TXT";
//   renderer.setLook(std::make_shared<const MapLook>(look));

#include <QColor>
#include <map>
#include <string>

#include "gdal/GdalLayers.h"
#include "gdal/GdalMap.h"

namespace corvane::map {

struct LayerLook {
    bool visible = true;
    QColor fill;
    QColor outline;
    std::string labelField;  // empty: no labels
};

// The label field a user expects without setting anything: the
// number-looking field of a polygon layer, the name-looking field of a line
// or point layer; "" when the layer has none.
[[nodiscard]] std::string defaultLabelField(const gdal::LayerSchema& schema);

class MapLook {
public:
    // Colours by draw order, default label fields, every layer shown.
    [[nodiscard]] static MapLook defaultsFor(gdal::GdalMap& map);

    // The look of a layer; a layer it does not know gets defaults.
    [[nodiscard]] const LayerLook& of(const gdal::FeatureLayer& layer) const;
    LayerLook& of(const gdal::FeatureLayer& layer);
    void set(const gdal::FeatureLayer& layer, LayerLook look) { m_layers[&layer] = std::move(look); }

private:
    std::map<const gdal::FeatureLayer*, LayerLook> m_layers;
};

// Every feature layer of the map, groups walked at any depth, top first.
[[nodiscard]] std::vector<gdal::FeatureLayer*> featureLayersOf(gdal::GdalMap& map);

} // namespace corvane::map
