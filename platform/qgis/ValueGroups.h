#pragma once
// A whole-table read of one text column of a GeoPackage or SQLite layer,
// answered by the database instead of row by row. The database groups the
// column's values and hands each value once with the number of rows that
// hold it (through QGIS's own OGR provider, as a layer whose subset string
// is the grouping SELECT, kept with the layer for the next read); the
// cursor then repeats the value that many times without reading again, so
// the caller still meets every row (GroupedRows.h). UI thread only.
//
//   if (auto groups = ValueGroups::open(*layer, streetIndex))
//       while (auto group = groups->next()) { ... group->value, group->rows ... }

#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

#include <qgsfeatureid.h>

#include "qgis/ValueGroup.h"
#include "qgis/ValueGroupReader.h"

class QgsVectorLayer;

namespace corvane::qgis {

class ValueGroups {
public:
    // Nothing when the database cannot do it for this layer: another
    // provider or format, a layer with a subset string or unsaved edits, a
    // field that is not text, or a grouping query that fails to open.
    static std::unique_ptr<ValueGroups> open(QgsVectorLayer& layer, int fieldIndex);

    explicit ValueGroups(std::unique_ptr<ValueGroupReader> reader);
    ~ValueGroups();
    ValueGroups(const ValueGroups&) = delete;
    ValueGroups& operator=(const ValueGroups&) = delete;

    // Reads the first group ahead; false when there is none.
    bool readAhead();
    // The next group, or nothing after the last.
    std::optional<ValueGroup> next();

private:
    std::unique_ptr<ValueGroupReader> m_reader;
    std::optional<ValueGroup> m_ahead;
};

// The IDs of the rows of `layer` whose field holds `value` (Null included),
// in ID order, without `except`.
std::vector<QgsFeatureId> idsHolding(QgsVectorLayer& layer, int fieldIndex, const QVariant& value, QgsFeatureId except);

} // namespace corvane::qgis
