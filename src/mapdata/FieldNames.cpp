#include "mapdata/ArcMapSupport.h"
#include "mapdata/CorvaneGIS_ArcMap.h"

namespace CorvaneGIS_ArcMap {

using namespace corvane::host;

void LoadListWithFieldNames(corvane::ui::ListBox& list, const Ref<IFeatureLayer>& layer)
{
    try {
        list.Clear();
        const Ref<IFields> fields = detail::layerTable(layer)->Fields();
        const std::int32_t fieldCount = fields->FieldCount();
        // Every field, object-ID and shape included: the user picks from all of them.
        for (std::int32_t i = 0; i < fieldCount; ++i) list.AddItem(fields->Field(i)->Name());
    } catch (...) {
        detail::showMessageFromErrorPath("Error loading layer fields");
    }
}

} // namespace CorvaneGIS_ArcMap
