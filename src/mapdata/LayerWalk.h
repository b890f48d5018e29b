#pragma once
// The walk over the focus map's feature layers that the layer lookup and the
// layer list share: top-level layers in order, and the direct sub-layers of
// each group layer. Deeper groups are not entered, so a feature layer two
// levels down is never seen.

#include <cstdint>
#include <limits>

#include "host/Application.h"
#include "host/HostError.h"
#include "mapdata/ArcMapSupport.h"
#include "shared/Public.h"

namespace CorvaneGIS_ArcMap::detail {

// Calls visit(Ref<IFeatureLayer>) for each candidate. The focus map is read
// again at every access, since the user may switch maps between calls.
template <class Visit>
void walkFeatureLayers(Visit&& visit)
{
    using namespace corvane::host;
    using CorvaneGIS_Public::HostDocument;

    const std::int32_t layerCount = HostDocument->FocusMap()->LayerCount();
    for (std::int32_t i = 0; i < layerCount; ++i) {
        const Ref<ILayer> layer = HostDocument->FocusMap()->Layer(i);
        if (layer.is<IGroupLayer>()) {
            const Ref<ICompositeLayer> group = layer.as<ICompositeLayer>();
            const std::int32_t subCount = group->Count();
            // The sub-layer index is a 16-bit integer: a larger group cannot be walked.
            if (subCount - 1 > std::numeric_limits<std::int16_t>::max()) raiseError(kOverflow, "Overflow");
            for (std::int16_t j = 0; j < subCount; ++j) {
                const Ref<ILayer> subLayer = group->Layer(j);
                if (subLayer.is<IFeatureLayer>()) visit(subLayer.as<IFeatureLayer>());
            }
        } else if (layer.is<IFeatureLayer>()) {
            visit(layer.as<IFeatureLayer>());
        }
    }
}

} // namespace CorvaneGIS_ArcMap::detail
