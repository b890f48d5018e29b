#include <cmath>

#include "errors/ErrorHandling.h"
#include "host/Application.h"
#include "mapdata/ArcMapSupport.h"
#include "mapdata/CorvaneGIS_ArcMap.h"
#include "shared/Public.h"

namespace CorvaneGIS_ArcMap {

using namespace corvane::host;

void ZoomToFeaturePlus(const Ref<IFeature>& feature, double factor)
{
    int line = 0;
    try {
        line = 10;
        if (!feature) return;
        line = 20;
        const double scale = factor + 1.0;
        if (!std::isfinite(scale)) raiseError(detail::kOverflow, "Overflow");
        line = 30;
        Ref<IActiveView> view = CorvaneGIS_Public::HostDocument->ActiveView();
        line = 40;
        if (view.is<IPageLayout>()) {
            // In the layout, the map frame's own view is zoomed, not the page.
            line = 50;
            view = CorvaneGIS_Public::HostDocument->ActiveView()->FocusMap().as<IActiveView>();
        }
        line = 60;
        const Ref<IEnvelope> envelope = feature->Shape()->Envelope();
        line = 70;
        envelope->Expand(scale, scale, true);
        line = 80;
        view->Extent(envelope);
        line = 90;
        view->Refresh();
    } catch (...) {
        corvane::errors::reportTrappedError("ZoomToFeaturePlus ", detail::kModuleName, line);
    }
}

} // namespace CorvaneGIS_ArcMap
