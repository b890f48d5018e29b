#pragma once
// Pieces shared by the routines of CorvaneGIS_ArcMap: the module's name for
// the common error report, a feature layer's table and the module's own
// one-line messages.

#include <cstdint>
#include <optional>
#include <string>

#include "host/Layers.h"
#include "host/Ref.h"
#include "host/Tables.h"

namespace CorvaneGIS_ArcMap::detail {

inline constexpr const char* kModuleName = "CorvaneGIS_ArcMap";
// The runtime's overflow error, which the host headers do not list.
inline constexpr std::int32_t kOverflow = 6;

// The table the layer displays; may be empty. Raises 91 for an empty layer.
corvane::host::Ref<corvane::host::ITable> layerTable(const corvane::host::Ref<corvane::host::IFeatureLayer>& layer);

// A message box shown from an error path, where a failing toolkit must not
// let a second error out of the routine.
void showMessageFromErrorPath(const std::string& text) noexcept;

// GetFeatureLayerByName's search, telling a layer that is not there (an
// empty reference) from a look-up that failed and showed its message
// (nullopt), so that a caller can stop instead of going on without the layer.
std::optional<corvane::host::Ref<corvane::host::IFeatureLayer>> findFeatureLayer(const std::string& layerName);

// GetFieldType with the same tell: nullopt when the layer look-up failed.
std::optional<std::int32_t> lookUpFieldType(const std::string& layerName, const std::string& fieldName);

} // namespace CorvaneGIS_ArcMap::detail
