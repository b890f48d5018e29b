#pragma once
// Map data access of the search and configuration dialogs: finding a feature
// layer of the focus map by name, listing layers, fields and the distinct
// values of a field, building where-clause literals, opening cursors and
// zooming the view to a feature. The map is read only; the one change made is
// the view's extent.
//
// Callers are the dialogs' event handlers, on the host's UI thread. The map is
// reached through CorvaneGIS_Public::HostDocument and HostApplication. No
// routine lets an exception out except EscapeSingleQuotes, which has no trap:
// the others report through the common error report (or their own one-line
// message for the layer and field lookups) and return their empty result.
// A layer name that matches no feature layer is not an error: the empty
// result follows without any message.

#include <cstdint>
#include <string>

#include "host/Layers.h"
#include "host/Ref.h"
#include "host/Tables.h"
#include "ui/Controls.h"

namespace CorvaneGIS_ArcMap {

// The feature layer of the focus map with that name (ignoring case), looked
// for at the top level and one level into group layers; the last match wins.
// Empty when none matches.
corvane::host::Ref<corvane::host::IFeatureLayer> GetFeatureLayerByName(const std::string& layerName);

// Clears the list, then appends the name of every feature layer the lookup
// above would see, in walk order (duplicates included).
void LoadListWithLayerNames(corvane::ui::ListBox& list);

// Clears the list, then appends the name of every field of the layer's table,
// in field order. An empty layer is an error ("Error loading layer fields").
void LoadListWithFieldNames(corvane::ui::ListBox& list,
                            const corvane::host::Ref<corvane::host::IFeatureLayer>& layer);

// Every single quote doubled; nothing else touched.
std::string EscapeSingleQuotes(const std::string& text);

// The field's esriFieldType code; 0 when the layer or the field is not found.
std::int32_t GetFieldType(const std::string& layerName, const std::string& fieldName);

// The value as a where-clause literal: 'text' for string fields, #date# for
// date fields, bare otherwise (also when the field is not found). Empty
// after a reported error.
std::string FormatQueryValue(const std::string& layerName, const std::string& fieldName, const std::string& value);

// A cursor over the layer's table for the clause (recycling), or empty.
corvane::host::Ref<corvane::host::ICursor> GetCursorByQuery(const std::string& layerName,
                                                            const std::string& whereClause);

// A feature cursor over the layer's features whose rows match the clause,
// found through their object IDs; empty when no row matches.
corvane::host::Ref<corvane::host::IFeatureCursor> GetFeatureCursorByQuery(
    const corvane::host::Ref<corvane::host::IFeatureLayer>& layer, const std::string& whereClause);

// Clears the list and appends each distinct non-empty value of the field over
// the rows of the layer's table that the filter selects (empty filter: all),
// in first-occurrence order, with progress on the host's status bar.
void LoadListWithUniqueFieldValues(const std::string& layerName, const std::string& fieldName,
                                   corvane::ui::ListBox& list, bool showProgress,
                                   const corvane::host::Ref<corvane::host::IQueryFilter>& filter);

// As above over the caller's cursor, which is at its end afterwards. A cursor
// without any row gives the single item "NONE".
void LoadListWithUniqueFieldValuesFromCursor(const corvane::host::Ref<corvane::host::ICursor>& cursor,
                                             const std::string& fieldName, corvane::ui::ListBox& list);

// Sets the active map view's extent to the feature's envelope scaled by
// (factor + 1) about its centre and redraws the view. Nothing for an empty feature.
void ZoomToFeaturePlus(const corvane::host::Ref<corvane::host::IFeature>& feature, double factor);

} // namespace CorvaneGIS_ArcMap
