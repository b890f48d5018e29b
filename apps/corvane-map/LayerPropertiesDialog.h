#pragma once
// The layer properties dialog: shown or hidden, label field, fill and
// outline colours of one feature layer. Modal, UI thread.

#include "LayerLook.h"

class QWidget;

namespace corvane::map {

// Lets the user edit `look`; true when they pressed OK (then `look` holds
// the new settings), false when they cancelled (then it is unchanged).
bool editLayerLook(QWidget* parent, gdal::FeatureLayer& layer, LayerLook& look);

} // namespace corvane::map
