#include "mapdata/ArcMapSupport.h"
#include "mapdata/CorvaneGIS_ArcMap.h"
#include "mapdata/LayerWalk.h"
#include "ui/Text.h"

namespace CorvaneGIS_ArcMap {

using namespace corvane::host;

std::optional<Ref<IFeatureLayer>> detail::findFeatureLayer(const std::string& layerName)
{
    try {
        Ref<IFeatureLayer> found;
        // No early stop: when several layers share the name, the last one wins.
        detail::walkFeatureLayers([&](const Ref<IFeatureLayer>& candidate) {
            if (corvane::ui::equalsIgnoringCase(candidate->Name(), layerName)) found = candidate;
        });
        return found;
    } catch (...) {
        detail::showMessageFromErrorPath("Error: Could not find layer " + layerName);
        return std::nullopt;
    }
}

Ref<IFeatureLayer> GetFeatureLayerByName(const std::string& layerName)
{
    return detail::findFeatureLayer(layerName).value_or(Ref<IFeatureLayer>{});
}

void LoadListWithLayerNames(corvane::ui::ListBox& list)
{
    try {
        list.Clear();
        detail::walkFeatureLayers([&](const Ref<IFeatureLayer>& candidate) { list.AddItem(candidate->Name()); });
    } catch (...) {
        detail::showMessageFromErrorPath("Error loading map layers");
    }
}

} // namespace CorvaneGIS_ArcMap
