#include "mapdata/ArcMapSupport.h"

#include "shared/Runtime.h"

namespace CorvaneGIS_ArcMap::detail {

using namespace corvane::host;

Ref<ITable> layerTable(const Ref<IFeatureLayer>& layer)
{
    return layer.as<IDisplayTable>()->DisplayTable();
}

void showMessageFromErrorPath(const std::string& text) noexcept
{
    try {
        corvane::MsgBox(text);
    } catch (...) {
        // Nobody is left to tell; the routine still returns its empty result.
    }
}

} // namespace CorvaneGIS_ArcMap::detail
